#include "gui/Dialogs.h"

#include "gui/Application.h"
#include "base/ScopeGuard.h"
#include "base/WideText.h"

#include <windows.h>

#include <cwchar>
#include <utility>

namespace tarvell {

namespace {
int Depth = 0;
int SystemCalls = 0;  // of them, calls into the system
std::function<void()> HeldAction;
TMessageBoxHook Hook;

// The application's own window, or none when it cannot be made (often the very error being
// shown): the box then stands on its own.
HWND ApplicationWindow() noexcept {
  try {
    return Application.Handle();
  } catch (...) {
    return nullptr;
  }
}

// Puts a box that must stay on top at the very top as it is activated. MB_TOPMOST alone is
// not enough everywhere: Wine ignores it and places a box right above its owner, which can
// leave it under a stay-on-top window that lies above the owner.
class TTopmostBoxLift {
public:
  explicit TTopmostBoxLift(bool on) noexcept
      : FHook(on ? ::SetWindowsHookExW(WH_CBT, &Proc, nullptr, ::GetCurrentThreadId()) : nullptr) {}
  ~TTopmostBoxLift() {
    if (FHook) ::UnhookWindowsHookEx(FHook);
  }
  TTopmostBoxLift(const TTopmostBoxLift&) = delete;
  TTopmostBoxLift& operator=(const TTopmostBoxLift&) = delete;

private:
  static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE) {
      HWND wnd = reinterpret_cast<HWND>(wp);
      wchar_t cls[16] = {};
      if (::GetClassNameW(wnd, cls, 16) && std::wcscmp(cls, L"#32770") == 0)
        ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
  }
  HHOOK FHook;
};
}  // namespace

TBoxPlacement PlaceMessageBox(unsigned type, const TBoxSituation& situation) noexcept {
  const HWND owner = situation.Active ? situation.Active : situation.AppWindow;
  if (!situation.ProgramInFront) type |= MB_SETFOREGROUND | MB_TOPMOST;
  if (situation.StayOnTopShown) type |= MB_TOPMOST;
  return {owner, type};
}

bool ProgramInFront() noexcept {
  HWND front = ::GetForegroundWindow();
  DWORD process = 0;
  return front && ::GetWindowThreadProcessId(front, &process) && process == ::GetCurrentProcessId();
}

TSystemCallScope::TSystemCallScope() noexcept {
  ++SystemCalls;
  ++Depth;
}

TSystemCallScope::~TSystemCallScope() {
  --Depth;
  if (--SystemCalls == 0 && HeldAction) std::exchange(HeldAction, nullptr)();
}

bool HeldForSystemCall(std::function<void()> action) {
  if (SystemCalls == 0) return false;
  HeldAction = std::move(action);
  return true;
}

bool StayOnTopShown() noexcept {
  bool found = false;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND wnd, LPARAM data) -> BOOL {
        if (::IsWindowVisible(wnd) && (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
          *reinterpret_cast<bool*>(data) = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
  ++Depth;
  TScopeGuard depth([]() noexcept { --Depth; });
  if (Hook) return Hook(text, caption, type);
  const HWND active = ::GetActiveWindow();
  const TBoxPlacement place =
      PlaceMessageBox(type, {active, ProgramInFront(), StayOnTopShown(), active ? nullptr : ApplicationWindow()});
  const TTopmostBoxLift lift((place.Type & MB_TOPMOST) != 0);
  return ::MessageBoxW(place.Owner, Widen(text).c_str(), Widen(caption).c_str(), place.Type);
}

bool AskOkCancel(const std::string& text, const std::string& caption, bool cancelByDefault) {
  return ShowMessageBox(text, caption, MB_OKCANCEL | (cancelByDefault ? MB_DEFBUTTON2 : 0u)) == IDOK;
}

void ShowNotice(const std::string& text, const std::string& caption) { ShowMessageBox(text, caption, MB_OK); }

bool ShowErrorBox(const std::string& message) {
  return ShowMessageBox(message + ".", Application.Title(), MB_OK | MB_ICONERROR) != 0;
}

void ShowCurrentError() noexcept {
  try {
    try {
      throw;
    } catch (const std::exception& e) {
      ShowErrorBox(e.what());
    } catch (...) {
      ShowErrorBox("Unknown error");
    }
  } catch (...) {
    // The error display itself failed; nothing is left to show it with.
  }
}

int ModalDepth() noexcept { return Depth; }

void SetMessageBoxHook(TMessageBoxHook hook) { Hook = std::move(hook); }

}  // namespace tarvell
