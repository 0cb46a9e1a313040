#include "app/PresenceWatch.h"

namespace tarvell {

bool TPresenceWatch::Attach(HWND window) {
  Detach();
  FWindow = window;
  FRegistered = FCalls.RegisterSession(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
  return FRegistered;
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
  return state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE;
}

}  // namespace tarvell
