// A form's hints: one tooltip window for the form, made with its window, and a tool for each
// control with a hint, added as the control's window is made.
#include "gui/Form.h"

#include "gui/CommonControls.h"
#include "base/WideText.h"

#include <commctrl.h>

namespace tarvell {

void TForm::CreateTooltip() {
  EnsureCommonControls();
  FTooltip.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr));
}

void TForm::AddTool(TControl& control) {
  if (!FTooltip || !control.HasHandle()) return;
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  std::wstring text = Widen(control.Hint());
  ti.lpszText = text.data();
  ::SendMessageW(FTooltip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TForm::RemoveTool(TControl& control) noexcept {
  if (!FTooltip || !control.HasHandle()) return;
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = Handle();
  ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  ::SendMessageW(FTooltip.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace tarvell
