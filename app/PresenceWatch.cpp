#include "app/PresenceWatch.h"

#include <cstring>
#include <cwchar>
#include <iterator>

namespace tarvell {

bool LockFlagTrusted() noexcept {
  // VerifyVersionInfo, unlike GetVersionEx, answers "at least 6.2" truly without a manifest entry.
  OSVERSIONINFOEXW wanted{};
  wanted.dwOSVersionInfoSize = sizeof wanted;
  wanted.dwMajorVersion = 6;
  wanted.dwMinorVersion = 2;
  const DWORDLONG mask = ::VerSetConditionMask(::VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL),
                                               VER_MINORVERSION, VER_GREATER_EQUAL);
  return ::VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION, mask) != FALSE;
}

TForegroundFacts ForegroundWindowFacts() noexcept {
  TForegroundFacts facts;
  const HWND front = ::GetForegroundWindow();
  if (!front) return facts;
  facts.Visible = ::IsWindowVisible(front) && !::IsIconic(front);
  wchar_t name[32] = {};
  ::GetClassNameW(front, name, static_cast<int>(std::size(name)));
  for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd"})
    facts.Shell = facts.Shell || std::wcscmp(name, shell) == 0;
  RECT window{};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetWindowRect(front, &window) &&
      ::GetMonitorInfoW(::MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor)) {
    facts.CoversMonitor = window.left <= monitor.rcMonitor.left && window.top <= monitor.rcMonitor.top &&
                          window.right >= monitor.rcMonitor.right && window.bottom >= monitor.rcMonitor.bottom;
  }
  return facts;
}

bool TPresenceWatch::Attach(HWND window) {
  Detach();
  FWindow = window;
  FRegistered = FCalls.RegisterSession(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
  // Asked after registering, so a lock from now on comes as a notice. Without the notices an
  // unlock would never be heard, so the state is then not asked at all.
  if (FRegistered && SessionLockedNow()) FEvents.SessionLocked(true);
  return FRegistered;
}

// Any doubt (a failed query, an unknown answer, a system whose flag cannot be believed) says
// not locked, so the slideshow is never stopped for good.
bool TPresenceWatch::SessionLockedNow() const noexcept {
  if (!FCalls.TrustsLockFlag()) return false;
  DWORD session = WTS_CURRENT_SESSION;
  if (!::ProcessIdToSessionId(::GetCurrentProcessId(), &session)) session = WTS_CURRENT_SESSION;
  LPWSTR buffer = nullptr;
  DWORD bytes = 0;
  if (!FCalls.QuerySession(WTS_CURRENT_SERVER_HANDLE, session, SessionInfoExClass, &buffer, &bytes)) return false;
  if (!buffer) return false;
  bool locked = false;
  if (bytes >= sizeof(TSessionInfoEx)) {
    TSessionInfoEx info;
    std::memcpy(&info, buffer, sizeof info);
    locked = info.Level == 1 && info.Level1.SessionFlags == SessionStateLocked;
  }
  FCalls.FreeSessionInfo(buffer);
  return locked;
}

void TPresenceWatch::Detach() noexcept {
  if (FTimerSet) ::KillTimer(FWindow, DesktopBackTimerId);
  if (FRegistered) FCalls.UnregisterSession(FWindow);
  FTimerSet = false;
  FRegistered = false;
  FWindow = nullptr;
}

bool TPresenceWatch::HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_WTSSESSION_CHANGE:
      switch (wp) {
        case WTS_SESSION_LOCK:
          FEvents.SessionLocked(true);
          break;
        case WTS_SESSION_UNLOCK:
          FEvents.SessionLocked(false);
          break;
        case WTS_REMOTE_DISCONNECT:
        case WTS_CONSOLE_DISCONNECT:
          FEvents.SessionDisconnected(true);
          break;
        case WTS_REMOTE_CONNECT:
        case WTS_CONSOLE_CONNECT:
          FEvents.SessionDisconnected(false);
          break;
        default:
          break;
      }
      return false;
    case WM_POWERBROADCAST:
      if (wp == PBT_APMSUSPEND) {
        FEvents.Sleeping();
      } else if (wp == PBT_APMRESUMEAUTOMATIC) {
        // Held again in case the notice of the suspend never came; a second wake restarts the wait.
        FEvents.Sleeping();
        FTimerSet = FWindow && ::SetTimer(FWindow, DesktopBackTimerId, FDelay, nullptr) != 0;
        // Without a timer the wait would never end.
        if (!FTimerSet) FEvents.DesktopBack();
      }
      result = TRUE;  // the notice was taken in
      return true;
    case WM_TIMER:
      if (wp != DesktopBackTimerId || !FTimerSet) return false;
      ::KillTimer(FWindow, DesktopBackTimerId);
      FTimerSet = false;
      FEvents.DesktopBack();
      result = 0;
      return true;
    default:
      return false;
  }
}

bool TPresenceWatch::FullScreenBusy() const {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(FCalls.QueryNotificationState(&state))) return false;
  if (state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE) return true;
  if (state != QUNS_BUSY) return false;
  const TForegroundFacts front = FCalls.Foreground();
  return front.Visible && !front.Shell && front.CoversMonitor;
}

}  // namespace tarvell
