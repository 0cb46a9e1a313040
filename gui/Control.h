// A visual control: a component with a window, a parent, bounds, caption, hint, colour and font.
#pragma once

#include "gui/Component.h"
#include "gui/Graphics.h"
#include "gui/WaitCursor.h"
#include "gui/Wnd.h"

#include <string>
#include <vector>

namespace tarvell {

class TForm;

// The owner-draw notification a parent hands back to the list that sent it.
constexpr UINT CN_DRAWITEM = 0xBC00 + WM_DRAWITEM;

class TControl : public TComponent, public TWnd {
public:
  using TComponent::TComponent;
  ~TControl() override;

  // The parent whose client area holds this control; the window is made at once when the
  // parent has one, unless the control is loading from a layout (CreateHandles then).
  TControl* Parent() const noexcept { return FParent; }
  void SetParent(TControl* parent);
  const std::vector<TControl*>& Controls() const noexcept { return FControls; }
  // The form this control sits on (itself for a form), or null.
  TForm* ParentForm() const noexcept;

  // This window when it does not exist yet, then the children's.
  void CreateHandles();

  int Left() const noexcept { return FLeft; }
  int Top() const noexcept { return FTop; }
  int Width() const noexcept { return FWidth; }
  int Height() const noexcept { return FHeight; }
  virtual void SetBounds(int left, int top, int width, int height);
  bool Overlaps(const TControl& other) const noexcept {
    return FLeft < other.FLeft + other.FWidth && other.FLeft < FLeft + FWidth && FTop < other.FTop + other.FHeight &&
           other.FTop < FTop + FHeight;
  }
  int ClientWidth() const { return HasHandle() ? ClientRect().right : FWidth; }
  int ClientHeight() const { return HasHandle() ? ClientRect().bottom : FHeight; }

  // The caption, or the text for edits; read back from the window when it exists.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }

  // Shown by the form's tooltip from the making of the window on.
  const std::string& Hint() const noexcept { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }

  bool Visible() const noexcept { return FVisible; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool enabled);

  void SetColor(TColor color) {
    FColor = color;
    Invalidate();
  }
  TFont& Font() noexcept { return FFont; }
  const TFont& Font() const noexcept { return FFont; }
  // Applies a change made through Font() to the window.
  void FontChanged();

  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor cursor) noexcept { FCursor = cursor; }
  bool TabStop() const noexcept { return FTabStop; }

  void SetFocus() {
    if (HasHandle()) ::SetFocus(Handle());
  }
  void Invalidate() const noexcept {
    if (HasHandle()) ::InvalidateRect(Handle(), nullptr, TRUE);
  }

  // Raises OnClick as a user's click would.
  virtual void Click() {
    if (OnClick) OnClick(*this);
  }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;

  // Paints what this control shows into dc at its own origin; false when it paints nothing
  // that another control could show through (transparent labels use this).
  virtual bool PaintContent(HDC) { return false; }
  // Paints what lies behind child (the background, then the siblings below it) into dc at
  // the child's origin.
  void PaintBehind(const TControl& child, HDC dc);

  // The brush the window's background is painted with, or null for the system's.
  HBRUSH BackgroundBrush() const;
  // The background colour, clDefault resolved.
  TColor EffectiveColor() const noexcept { return FColor == clDefault ? DefaultColor() : FColor; }

protected:
  virtual void CreateParams(TWndCreateParams& params);
  // After the window exists: what the object holds is pushed to it.
  virtual void CreateWnd();
  // The colour when none is set: the parent's, unless the kind has its own.
  virtual TColor DefaultColor() const noexcept { return FParent ? FParent->EffectiveColor() : clBtnFace; }
  // Whether a press and release inside makes a click and a double click a double click (list
  // boxes report theirs as notifications instead).
  virtual bool ClicksOnMouseUp() const noexcept { return false; }

  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  // Notifications the parent received for this control, handed back to it.
  virtual bool HandleCommand(WORD) { return false; }
  // WM_CTLCOLOR*: set up dc and return the background brush; null for the default.
  virtual HBRUSH CtlColor(HDC dc);

  virtual void DblClick() {
    if (OnDblClick) OnDblClick(*this);
  }

  void SetTabStop(bool on) noexcept { FTabStop = on; }

  std::string FCaption;

private:
  bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  LRESULT MouseButtonDown(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT MouseButtonUp(UINT msg, WPARAM wp, LPARAM lp);
  void ApplyFont();

  TControl* FParent = nullptr;
  std::vector<TControl*> FControls;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  std::string FHint;
  bool FVisible = true;
  bool FEnabled = true;
  bool FTabStop = false;
  bool FParentFont = true;
  bool FClickPending = false;
  TColor FColor = clDefault;
  TFont FFont;
  TCursor FCursor = crDefault;
  mutable TGdiObject FBrush;
  mutable COLORREF FBrushColor = 0;
};

// Finds the control under a window handle created by this toolkit, or null.
TControl* FindControl(HWND wnd) noexcept;
// The modifier keys held as the message being handled was sent.
TShiftState KeyShift() noexcept;

}  // namespace tarvell
