#include "gui/VirtualListBox.h"

#include "base/Exception.h"
#include "base/WideText.h"
#include "gui/Handles.h"

#include <algorithm>

namespace tarvell {

TVirtualListBox::TVirtualListBox(TComponent* AOwner) : TControl(AOwner) { SetTabStop(true); }

TVirtualListBox::~TVirtualListBox() { DestroyHandle(); }

void TVirtualListBox::CreateParams(TWndCreateParams& p) {
  TControl::CreateParams(p);
  p.ClassName = "LISTBOX";
  // No strings in the window: it holds a count, and the rows are drawn from the owner's texts.
  p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TVirtualListBox::CreateWnd() {
  TControl::CreateWnd();
  FitItemHeight(Font().Handle());
  FillWindow();
  FRowNames =
      std::make_unique<TListRowNames>(Handle(), RowNameServices(), [this](int row) -> std::optional<std::string> {
        if (row < 0 || row >= FCount) return std::nullopt;
        return FTextOf(row);
      });
}

void TVirtualListBox::DestroyingHandle() noexcept {
  FRowNames.reset();
  TControl::DestroyingHandle();
}

void TVirtualListBox::HandleDestroyed() {
  FRowNames.reset();  // gone with its parent's window
  TControl::HandleDestroyed();
}

void TVirtualListBox::FillWindow() {
  if (!HasHandle()) return;
  BeginUpdate();
  Perform(LB_SETCOUNT, static_cast<WPARAM>(FCount));
  Perform(LB_SETCURSEL, static_cast<WPARAM>(FItemIndex));
  EndUpdate();
}

int TVirtualListBox::ItemIndex() const { return HasHandle() ? static_cast<int>(Perform(LB_GETCURSEL)) : FItemIndex; }

void TVirtualListBox::SetItemIndex(int index) {
  FItemIndex = (index >= 0 && index < Count()) ? index : -1;
  if (HasHandle()) Perform(LB_SETCURSEL, static_cast<WPARAM>(FItemIndex));
}

void TVirtualListBox::BeginUpdate() {
  if (FUpdateCount++ == 0 && HasHandle()) Perform(WM_SETREDRAW, FALSE);
}

void TVirtualListBox::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && HasHandle()) {
    Perform(WM_SETREDRAW, TRUE);
    Invalidate();
  }
}

bool TVirtualListBox::HandleCommand(WORD code) {
  switch (code) {
    case LBN_SELCHANGE:
      FItemIndex = ItemIndex();
      Click();
      return true;
    case LBN_DBLCLK:
      DblClick();
      return true;
    default:
      return false;
  }
}

void TVirtualListBox::FitItemHeight(HFONT font) {
  // An owner-drawn list keeps its first row height whatever font comes later; the system's
  // list makes its rows as high as the font's characters.
  TWindowDC dc(Handle());
  TSelectObject select(dc.DC(), font);
  TEXTMETRICW tm{};
  if (::GetTextMetricsW(dc.DC(), &tm)) Perform(LB_SETITEMHEIGHT, 0, MAKELPARAM(tm.tmHeight + FRowSpacing, 0));
}

void TVirtualListBox::ShowVirtual(int count, TTextOf textOf) {
  FCount = textOf ? std::max(count, 0) : 0;
  FTextOf = std::move(textOf);
  FItemIndex = -1;
  FillWindow();
}

void TVirtualListBox::Delete(int index) {
  if (index < 0 || index >= FCount) throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  const int selected = ItemIndex();
  // Counted down first: a row drawn meanwhile never asks for an entry the owner no longer has.
  --FCount;
  if (HasHandle()) Perform(LB_DELETESTRING, static_cast<WPARAM>(index));
  // Deleting the selected entry leaves no selection, as the window itself does.
  FItemIndex = selected == index ? -1 : (selected > index ? selected - 1 : selected);
}

void TVirtualListBox::DrawItem(const DRAWITEMSTRUCT& dis) {
  const bool selected = (dis.itemState & ODS_SELECTED) != 0;
  HBRUSH back = selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : BackgroundBrush();
  if (back) ::FillRect(dis.hDC, &dis.rcItem, back);
  const int index = static_cast<int>(dis.itemID);
  if (dis.itemID != static_cast<UINT>(-1) && index < FCount) {
    const int left = DrawBeforeText(dis.hDC, dis.rcItem, index, selected);
    const std::wstring text = Widen(FTextOf(index));
    TSelectObject font(dis.hDC, Font().Handle());
    ::SetBkMode(dis.hDC, TRANSPARENT);
    ::SetTextColor(dis.hDC, (dis.itemState & ODS_DISABLED) ? ::GetSysColor(COLOR_GRAYTEXT)
                            : selected                     ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                                           : ColorToRGB(Font().Color()));
    // One line, cut at the row's edge; "&" is a character like any other.
    ::ExtTextOutW(dis.hDC, left, dis.rcItem.top + FRowSpacing / 2, ETO_CLIPPED, &dis.rcItem, text.c_str(),
                  static_cast<UINT>(text.size()), nullptr);
  }
  // Drawn whole each time rather than toggled, so a repeated notice cannot take it away.
  if ((dis.itemState & ODS_FOCUS) && !(dis.itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(dis.hDC, &dis.rcItem);
}

bool TVirtualListBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      result = TRUE;
      return true;
    case WM_SETFONT:
      result = DefaultHandler(msg, wp, lp);
      FitItemHeight(reinterpret_cast<HFONT>(wp));
      return true;
    default:
      break;
  }
  return TControl::HandleMessage(msg, wp, lp, result);
}

}  // namespace tarvell
