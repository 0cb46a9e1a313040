#include "gui/Dialogs.h"

#include "gui/Application.h"
#include "gui/WideText.h"

#include <windows.h>

namespace tarvell {

namespace {
int Depth = 0;

TMessageBoxHook& Hook() {
  static TMessageBoxHook hook;
  return hook;
}

// The box belongs to the active window of this thread when there is one, else to the
// application's own window, so it is modal to the program and not to the desktop. When that
// window cannot be made (often the very error being shown), the box stands on its own.
HWND BoxOwner() noexcept {
  HWND active = ::GetActiveWindow();
  if (active) return active;
  try {
    return Application.Handle();
  } catch (...) {
    return nullptr;
  }
}

struct TDepthScope {
  TDepthScope() noexcept { ++Depth; }
  ~TDepthScope() { --Depth; }
  TDepthScope(const TDepthScope&) = delete;
  TDepthScope& operator=(const TDepthScope&) = delete;
};
}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
  TDepthScope scope;
  if (Hook()) return Hook()(text, caption, type);
  return ::MessageBoxW(BoxOwner(), Widen(text).c_str(), Widen(caption).c_str(), type);
}

bool AskOkCancel(const std::string& text, const std::string& caption, bool cancelByDefault) {
  return ShowMessageBox(text, caption, MB_OKCANCEL | (cancelByDefault ? MB_DEFBUTTON2 : 0u)) == IDOK;
}

void ShowNotice(const std::string& text, const std::string& caption) { ShowMessageBox(text, caption, MB_OK); }

bool ShowErrorBox(const std::string& message) {
  return ShowMessageBox(message + ".", Application.Title(), MB_OK | MB_ICONERROR) != 0;
}

int ModalDepth() noexcept { return Depth; }

void SetMessageBoxHook(TMessageBoxHook hook) { Hook() = std::move(hook); }

}  // namespace tarvell
