#include "gui/Dialogs.h"

#include "gui/Application.h"
#include "gui/Handles.h"
#include "base/ScopeGuard.h"
#include "base/WideText.h"

#include <windows.h>

#include <cwchar>
#include <utility>

namespace tarvell {

namespace {
int Depth = 0;        // boxes of the program's
int SystemCalls = 0;  // calls into the system, open boxes too
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

// Hooked while a box that must stay on top opens, it puts the box at the very top as it is
// activated. MB_TOPMOST alone is not enough everywhere: Wine ignores it and places a box right
// above its owner, which can leave it under a stay-on-top window that lies above the owner.
LRESULT CALLBACK LiftBoxToTop(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) {
    HWND wnd = reinterpret_cast<HWND>(wp);
    wchar_t cls[16] = {};
    if (::GetClassNameW(wnd, cls, 16) && std::wcscmp(cls, L"#32770") == 0)
      ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

// Any modal box of the program, with MessageBoxW's type flags; returns the button pressed.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
  ++Depth;
  TScopeGuard depth([]() noexcept { --Depth; });
  if (Hook) return Hook(text, caption, type);
  const HWND active = ::GetActiveWindow();
  const TBoxPlacement place =
      PlaceMessageBox(type, {active, ProgramInFront(), StayOnTopShown(), active ? nullptr : ApplicationWindow()});
  const THookHandle lift((place.Type & MB_TOPMOST)
                             ? ::SetWindowsHookExW(WH_CBT, &LiftBoxToTop, nullptr, ::GetCurrentThreadId())
                             : nullptr);
  return ::MessageBoxW(place.Owner, Widen(text).c_str(), Widen(caption).c_str(), place.Type);
}
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

TSystemCallScope::TSystemCallScope() noexcept { ++SystemCalls; }

TSystemCallScope::~TSystemCallScope() {
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

int ModalDepth() noexcept { return Depth + SystemCalls; }

void SetMessageBoxHook(TMessageBoxHook hook) { Hook = std::move(hook); }

}  // namespace tarvell
