#include "gui/Label.h"

#include "base/WideText.h"

namespace tarvell {

void TLabel::SetTransparent(bool on) {
  FTransparent = on;
  Invalidate();
}

void TLabel::SetWordWrap(bool on) {
  FWordWrap = on;
  Invalidate();
}

bool TLabel::PaintContent(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  if (HBRUSH brush = FTransparent ? nullptr : BackgroundBrush()) ::FillRect(dc, &r, brush);
  TSelectObject font(dc, Font().Handle());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, Enabled() ? ColorToRGB(Font().Color()) : ::GetSysColor(COLOR_GRAYTEXT));
  const std::wstring caption = Widen(FCaption);
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_LEFT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u));
  return true;
}

bool TLabel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_SETTEXT:
      result = DefaultHandler(msg, wp, lp);
      // A Unicode window: the text comes as UTF-16.
      FCaption = Narrow(reinterpret_cast<const wchar_t*>(lp));
      ::InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case WM_NCHITTEST:
      result = HTCLIENT;  // labels receive the mouse like any control (hints, clicks)
      return true;
    default:
      return TPaintedControl::HandleMessage(msg, wp, lp, result);
  }
}

}  // namespace tarvell
