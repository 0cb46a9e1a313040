// A form's hints: one tooltip window for the form, a tool for each control with a hint.
#include "gui/Form.h"

#include "gui/CommonControls.h"
#include "base/WideText.h"

#include <commctrl.h>

#include <vector>

namespace tarvell {

void TForm::CreateTooltip() {
  if (FTooltip || !HasHandle()) return;
  EnsureCommonControls();
  HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  FTooltip.reset(tip);
  // Controls created before the tooltip get their tools now.
  std::vector<TControl*> stack(Controls().begin(), Controls().end());
  while (!stack.empty()) {
    TControl* c = stack.back();
    stack.pop_back();
    if (!c->Hint().empty()) AddTool(*c);
    stack.insert(stack.end(), c->Controls().begin(), c->Controls().end());
  }
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

void TForm::HintChanged(TControl& control) {
  if (!FTooltip || !control.HasHandle()) return;
  RemoveTool(control);
  if (!control.Hint().empty()) AddTool(control);
}

void TForm::SetShowHint(bool on) {
  FShowHint = on;
  if (on) CreateTooltip();
  if (FTooltip) ::SendMessageW(FTooltip.get(), TTM_ACTIVATE, on ? TRUE : FALSE, 0);
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
