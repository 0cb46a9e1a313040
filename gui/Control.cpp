#include "gui/Control.h"

#include "gui/Form.h"
#include "base/WideText.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace tarvell {

TControl* FindControl(HWND wnd) noexcept { return dynamic_cast<TControl*>(TWnd::FromHandle(wnd)); }

TControl::~TControl() {
  // Children first: their windows go with ours, but their objects must stop pointing here.
  for (TControl* child : FControls) child->FParent = nullptr;
  if (FParent) {
    std::erase(FParent->FControls, this);
    if (TForm* form = FParent->ParentForm()) form->ControlRemoved(*this);
  }
  DestroyHandle();
}

// Controls lie on their form itself.
TForm* TControl::ParentForm() const noexcept {
  return dynamic_cast<TForm*>(const_cast<TControl*>(FParent ? FParent : this));
}

void TControl::SetParent(TControl* parent) {
  FParent = parent;  // once, as the control is put on its form
  parent->FControls.push_back(this);
  if (FParentFont) FFont = parent->FFont;
  if (!Loading() && parent->HasHandle()) CreateHandles();
}

void TControl::CreateHandles() {
  if (!HasHandle()) {
    TWndCreateParams p;
    CreateParams(p);
    CreateHandle(p);
    CreateWnd();
  }
  for (TControl* child : FControls) child->CreateHandles();
}

void TControl::CreateParams(TWndCreateParams& p) {
  p.Caption = FCaption;
  p.X = FLeft;
  p.Y = FTop;
  p.Width = FWidth;
  p.Height = FHeight;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FVisible) p.Style |= WS_VISIBLE;
  if (!FEnabled) p.Style |= WS_DISABLED;
  if (FTabStop) p.Style |= WS_TABSTOP;
  if (!FParent) return;
  p.Parent = FParent->Handle();
  // Distinct identifiers, clear of IDOK and IDCANCEL: the dialog manager finds the default
  // button by its identifier.
  const auto index = std::find(FParent->FControls.begin(), FParent->FControls.end(), this) - FParent->FControls.begin();
  p.MenuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(100 + index));
}

void TControl::CreateWnd() {
  ApplyFont();
  if (!FParent) return;
  // Later controls lie in front of earlier ones, as the layout lists them back to front.
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (TForm* form = ParentForm()) form->ControlCreated(*this);
}

void TControl::ApplyFont() {
  if (HasHandle()) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
}

void TControl::FontChanged() {
  FParentFont = false;
  ApplyFont();
  for (TControl* child : FControls) {
    if (child->FParentFont) {
      child->FFont = FFont;
      child->FontChanged();
      child->FParentFont = true;
    }
  }
  Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (HasHandle()) ::MoveWindow(Handle(), left, top, width, height, TRUE);
}

std::string TControl::Caption() const { return HasHandle() ? TextOf(Handle()) : FCaption; }

void TControl::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (HasHandle()) {
    ::SetWindowTextW(Handle(), Widen(caption).c_str());
    Invalidate();
  }
}

void TControl::SetVisible(bool visible) {
  FVisible = visible;
  if (HasHandle()) ::ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
}

void TControl::SetEnabled(bool enabled) {
  FEnabled = enabled;
  if (HasHandle()) ::EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

HBRUSH TControl::BackgroundBrush() const {
  if (EffectiveColor() == clNone) return nullptr;
  const COLORREF rgb = ColorToRGB(EffectiveColor());
  if (!FBrush || rgb != FBrushColor) {
    FBrush.reset(::CreateSolidBrush(rgb));
    FBrushColor = rgb;
  }
  return static_cast<HBRUSH>(FBrush.get());
}

TShiftState KeyShift() noexcept {
  TShiftState shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

void TControl::PaintBehind(const TControl& child, HDC dc) {
  RECT r{0, 0, child.FWidth, child.FHeight};
  if (HBRUSH brush = BackgroundBrush()) ::FillRect(dc, &r, brush);
  for (TControl* sibling : FControls) {
    if (sibling == &child) break;
    if (!sibling->FVisible || !sibling->HasHandle() || !sibling->Overlaps(child)) continue;
    const int saved = ::SaveDC(dc);
    ::OffsetViewportOrgEx(dc, sibling->FLeft - child.FLeft, sibling->FTop - child.FTop, nullptr);
    ::IntersectClipRect(dc, 0, 0, sibling->FWidth, sibling->FHeight);
    sibling->PaintContent(dc);
    ::RestoreDC(dc, saved);
  }
}

HBRUSH TControl::CtlColor(HDC dc) {
  ::SetTextColor(dc, ColorToRGB(FFont.Color()));
  TColor color = EffectiveColor();
  if (color == clNone) {
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  }
  ::SetBkColor(dc, ColorToRGB(color));
  return BackgroundBrush();
}

bool TControl::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  HWND from = reinterpret_cast<HWND>(lp);  // null for menus and accelerators
  if (msg == WM_DRAWITEM) {
    from = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
  } else if (msg != WM_COMMAND && msg != WM_CTLCOLORSTATIC && (msg < WM_CTLCOLOREDIT || msg > WM_CTLCOLORBTN)) {
    return false;
  }
  TControl* child = from ? FindControl(from) : nullptr;
  if (!child || child == this) return false;
  if (msg == WM_COMMAND) return child->HandleCommand(HIWORD(wp));
  if (msg == WM_DRAWITEM) return child->HandleMessage(CN_DRAWITEM, wp, lp, result);
  const HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wp));
  result = reinterpret_cast<LRESULT>(brush);
  return brush != nullptr;
}

bool TControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (ReflectToChild(msg, wp, lp, result)) return true;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      result = MouseButtonDown(msg, wp, lp);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      result = MouseButtonUp(msg, wp, lp);
      return true;
    case WM_CAPTURECHANGED:
      // Wine reports a capture taken again by the window that holds it (the edit window does
      // so on its own press) as a change too; only a capture gone elsewhere cancels the click.
      if (reinterpret_cast<HWND>(lp) != Handle()) FClickPending = false;
      return false;
    case WM_MOUSEMOVE:
      result = DefaultHandler(msg, wp, lp);
      if (OnMouseMove) OnMouseMove(*this, KeyShift(), GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return true;
    case WM_SETCURSOR: {
      // The busy cursor over every window of the program, else the control's own.
      const bool busy = Screen.Cursor() != crDefault;
      if (LOWORD(lp) != HTCLIENT || (!busy && (FCursor == crDefault || reinterpret_cast<HWND>(wp) != Handle())))
        return false;
      ::SetCursor(TScreen::CursorHandle(busy ? Screen.Cursor() : FCursor));
      result = TRUE;
      return true;
    }
    case WM_SIZE:
    case WM_MOVE: {
      const RECT r = BoundsInParent();
      FLeft = r.left;
      FTop = r.top;
      FWidth = r.right - r.left;
      FHeight = r.bottom - r.top;
      return false;
    }
    default:
      return false;
  }
}

LRESULT TControl::MouseButtonDown(UINT msg, WPARAM wp, LPARAM lp) {
  const bool left = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
  if (msg == WM_LBUTTONDOWN && ClicksOnMouseUp()) {
    FClickPending = true;
    ::SetCapture(Handle());
  }
  // The window's own handling first (focus, selection), then the event sees the result.
  const LRESULT result = DefaultHandler(msg, wp, lp);
  // The second press of a double click is no click of its own.
  if (msg == WM_LBUTTONDBLCLK && ClicksOnMouseUp()) DblClick();
  if (OnMouseDown)
    OnMouseDown(*this, left ? TMouseButton::mbLeft : TMouseButton::mbRight, KeyShift(), GET_X_LPARAM(lp),
                GET_Y_LPARAM(lp));
  return result;
}

LRESULT TControl::MouseButtonUp(UINT msg, WPARAM wp, LPARAM lp) {
  // Taken before the window's own handling, which may release the capture itself (the edit
  // window does) and so report the capture gone.
  const bool pending = std::exchange(FClickPending, false) && msg == WM_LBUTTONUP;
  const LRESULT result = DefaultHandler(msg, wp, lp);
  if (pending) {
    if (::GetCapture() == Handle()) ::ReleaseCapture();
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT r = ClientRect();
    if (::PtInRect(&r, pt)) Click();
  }
  return result;
}

}  // namespace tarvell
