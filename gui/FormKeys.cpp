// A form's keyboard: its key handler sees every key first; then Tab moves the focus, and the
// system's dialog manager has Enter and Esc, asking the form for its default button
// (DM_GETDEFID) and telling it of Esc (IDCANCEL).
#include "gui/Form.h"

#include "gui/Button.h"
#include "gui/Menus.h"

#include <algorithm>
#include <vector>

namespace tarvell {

namespace {

// A button that Enter or Esc may press: shown on its form and enabled.
bool CanPress(const TButton* button) noexcept {
  return button && button->HasHandle() && (::GetWindowLongPtrW(button->Handle(), GWL_STYLE) & WS_VISIBLE) &&
         ::IsWindowEnabled(button->Handle());
}

// The form's default (or cancel) button that Enter (or Esc) may press, or null.
TButton* RoleButton(const TForm& form, bool cancel) noexcept {
  for (TControl* c : form.Controls()) {
    auto* button = dynamic_cast<TButton*>(c);
    if (CanPress(button) && (cancel ? button->IsCancel() : button->IsDefault())) return button;
  }
  return nullptr;
}

}  // namespace

// Tab goes through the controls in the layout's order. The dialog manager's own Tab would
// also select a field's whole text and move the default button's frame to the focused button.
void TForm::FocusNext(bool backward) {
  std::vector<TControl*> order;
  for (TControl* c : Controls()) {
    if (c->HasHandle() && ::IsWindowVisible(c->Handle()) && c->TabStop() && ::IsWindowEnabled(c->Handle()))
      order.push_back(c);
  }
  if (order.empty()) return;
  const HWND focus = ::GetFocus();
  const std::size_t n = order.size();
  const auto at = static_cast<std::size_t>(
      std::find_if(order.begin(), order.end(),
                   [focus](TControl* c) { return c->Handle() == focus || ::IsChild(c->Handle(), focus); }) -
      order.begin());
  order[at == n ? (backward ? n - 1 : 0) : (at + (backward ? n - 1 : 1)) % n]->SetFocus();
}

bool TForm::PreTranslateKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (OnKeyDown) {
    auto key = static_cast<std::uint16_t>(msg.wParam);
    OnKeyDown(*this, key, KeyShift());
    if (key == 0) return true;
    msg.wParam = key;
  }
  if (msg.message != WM_KEYDOWN || (KeyShift() & (ssCtrl | ssAlt))) return false;
  if (msg.wParam == VK_TAB) {
    LRESULT code = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTTAB)) return false;
    FocusNext((KeyShift() & ssShift) != 0);
    return true;
  }
  return ::IsDialogMessageW(Handle(), &msg) != FALSE;
}

// Enter clicks the focused button, else the default one; the dialog manager then sends its
// BN_CLICKED, which reaches the button. Menu commands come without a window.
bool TForm::HandleDialogCommand(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == DM_GETDEFID) {
    auto* target = dynamic_cast<TButton*>(FindControl(::GetFocus()));
    if (!target || target->ParentForm() != this) target = RoleButton(*this, false);
    result = CanPress(target) ? MAKELRESULT(::GetDlgCtrlID(target->Handle()), DC_HASDEFID) : 0;
    return true;
  }
  if (lp != 0 || HIWORD(wp) != 0) return false;
  if (LOWORD(wp) == IDCANCEL) {
    if (TButton* cancel = RoleButton(*this, true)) cancel->Click();
  } else {
    TMenuItem* item = nullptr;
    for (std::size_t i = 0; i < ComponentCount() && !item; ++i) {
      item = dynamic_cast<TMenuItem*>(Components(i));
      if (item && item->Command() != LOWORD(wp)) item = nullptr;
    }
    if (!item) return false;
    item->Click();
  }
  result = 0;
  return true;
}

}  // namespace tarvell
