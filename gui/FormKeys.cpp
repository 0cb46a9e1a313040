// A form's keyboard: its key handler first (with key preview, for every key), then the
// dialog keys Tab, Enter and Esc.
#include "gui/Form.h"

#include "gui/Button.h"

#include <algorithm>
#include <vector>

namespace tarvell {

namespace {

// A button that Enter or Esc may press: shown on its form and enabled.
bool CanPress(const TButton* button) noexcept {
  return button && button->HasHandle() && (button->View().Style() & WS_VISIBLE) && button->View().Enabled();
}

}  // namespace

void TForm::FocusNext(bool backward) {
  std::vector<TControl*> order;
  std::vector<TControl*> stack(Controls().rbegin(), Controls().rend());
  while (!stack.empty()) {
    TControl* c = stack.back();
    stack.pop_back();
    if (!c->HasHandle() || !::IsWindowVisible(c->Handle())) continue;
    if (c->TabStop() && ::IsWindowEnabled(c->Handle())) order.push_back(c);
    for (auto it = c->Controls().rbegin(); it != c->Controls().rend(); ++it) stack.push_back(*it);
  }
  if (order.empty()) return;
  HWND focus = ::GetFocus();
  auto current = std::find_if(order.begin(), order.end(),
                              [focus](TControl* c) { return c->Handle() == focus || ::IsChild(c->Handle(), focus); });
  std::size_t index = 0;
  if (current != order.end()) {
    auto pos = static_cast<std::size_t>(current - order.begin());
    index = backward ? (pos + order.size() - 1) % order.size() : (pos + 1) % order.size();
  } else if (backward) {
    index = order.size() - 1;
  }
  order[index]->SetFocus();
}

bool TForm::DialogKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  bool ctrlOrAlt = ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0;
  if (ctrlOrAlt) return false;
  LRESULT code = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTALLKEYS) return false;
  switch (msg.wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      FocusNext(::GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN: {
      TControl* focused = FindControl(msg.hwnd);
      if (auto* button = dynamic_cast<TButton*>(focused)) {
        if (button->Enabled()) button->Click();
        return true;
      }
      if (CanPress(FDefaultButton)) {
        FDefaultButton->Click();
        return true;
      }
      return false;
    }
    case VK_ESCAPE:
      if (CanPress(FCancelButton)) {
        FCancelButton->Click();
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool TForm::PreTranslateKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  // With key preview the form's handler sees every key first; without it, only the keys
  // that reach the form itself. Either way it runs once, before the dialog keys.
  if (OnKeyDown && (FKeyPreview || msg.hwnd == Handle())) {
    auto key = static_cast<std::uint16_t>(msg.wParam);
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    OnKeyDown(*this, key, shift);
    if (key == 0) return true;
    msg.wParam = key;
    if (msg.hwnd == Handle()) FKeyDownSeen = true;
  }
  return DialogKey(msg);
}

}  // namespace tarvell
