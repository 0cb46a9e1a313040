#include "gui/ListBox.h"

#include "base/WideText.h"

namespace tarvell {

TListBox::TListBox(TComponent* AOwner) : TListBoxBase(AOwner) {}

TListBox::~TListBox() { DestroyHandle(); }

void TListBox::CreateParams(TWndCreateParams& p) {
  TListBoxBase::CreateParams(p);
  p.Style |= LBS_HASSTRINGS;
}

void TListBox::CreateWnd() {
  TControl::CreateWnd();
  FillWindow();
}

void TListBox::FillWindow() {
  if (!HasHandle()) return;
  Perform(WM_SETREDRAW, FALSE);
  Perform(LB_RESETCONTENT);
  // The entries go straight to the window class's own procedure: through the hook on the
  // window each message costs far more than the entry itself, and a picture list can hold
  // a hundred thousand of them. Nothing of ours answers these messages.
  const auto own = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(Handle(), GCLP_WNDPROC));
  const auto fill = [&](UINT msg, WPARAM wp, LPARAM lp) {
    return own ? ::CallWindowProcW(own, Handle(), msg, wp, lp) : Perform(msg, wp, lp);
  };
  // Room for all of them at once, instead of growing the storage step by step.
  std::size_t characters = 0;
  for (const std::string& item : Items()) characters += item.size() + 1;
  fill(LB_INITSTORAGE, Items().size(), static_cast<LPARAM>(characters * sizeof(wchar_t)));
  for (const std::string& item : Items()) fill(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  FinishFill();
}

void TListBox::SetItems(std::vector<std::string> items) {
  FItems = std::move(items);
  FItemIndex = -1;
  FillWindow();
}

}  // namespace tarvell
