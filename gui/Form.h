// A top-level window holding controls and components; its layout may come from a table.
#pragma once

#include "gui/Control.h"
#include "gui/Handles.h"
#include "gui/Layout.h"

#include <cstdint>
#include <string_view>

namespace tarvell {

class TMainMenu;

class TForm : public TControl {
public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  // Reads a layout: the form's own properties and setup, every component (loading) with its
  // setup, the windows, then Loaded() for every component and the form. Throws on a
  // duplicate or unknown component name.
  void LoadLayout(const TFormLayout& layout);

  // The form of the window, or of the top-level window that holds it; null for foreign windows.
  static TForm* FormOfWindow(HWND wnd) noexcept {
    return dynamic_cast<TForm*>(FromHandle(::GetAncestor(wnd, GA_ROOT)));
  }

  // Set before the window is made.
  void SetClientSize(int width, int height);
  // Brings a minimized or maximized window back to its normal size.
  void Restore();
  // The window's icons from an icon resource ("#2" for a number), at the sizes the screen
  // draws them; a form without its own shows the program's. Throws when it is missing.
  void SetIcon(std::string_view resourceName);
  HICON BigIcon() const noexcept { return FBigIcon.get(); }
  HICON SmallIcon() const noexcept { return FSmallIcon.get(); }
  TMainMenu* Menu() const noexcept { return FMenu; }
  void SetMenu(TMainMenu* menu);

  void SetVisible(bool visible) override;
  void BringToFront();
  // Asks OnCloseQuery, then OnClose's action: the main form ends the application, others hide.
  void Close();

  TNotifyEvent OnResize;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TKeyEvent OnKeyDown;

  // The message loop's key handling for this form and its controls; true when consumed.
  bool PreTranslateKey(MSG& msg);

  // Bookkeeping called by controls.
  void ControlCreated(TControl& control);
  void ControlRemoved(TControl& control) noexcept;
  HWND TooltipHandle() const noexcept { return FTooltip.get(); }

  // Makes sure the window exists (forms built in code).
  void HandleNeeded() {
    if (!HasHandle()) CreateHandles();
  }

protected:
  void CreateParams(TWndCreateParams& params) override;
  void CreateWnd() override;
  TColor DefaultColor() const noexcept override { return clBtnFace; }
  bool ClicksOnMouseUp() const noexcept override { return true; }
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void DestroyingHandle() noexcept override;
  void HandleDestroyed() override;

private:
  void ApplyFormLayout(const TFormLayout& layout);
  TComponent& LoadItem(const TLayoutItem& item);
  void ShowIcons() noexcept;
  void FocusNext(bool backward);
  bool HandleDialogCommand(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  bool Activate(bool active, WPARAM wp, LPARAM lp, LRESULT& result);

  TBorderStyle FBorderStyle = TBorderStyle::bsSizeable;
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  TPosition FPosition = TPosition::poDesigned;
  bool FShowHint = false;
  bool FHasClientSize = false;
  bool FDesignedOuterSize = false;  // the layout's outer size, its frame as at 96 dpi
  int FClientWidth = 0;
  int FClientHeight = 0;
  TIconHandle FBigIcon;
  TIconHandle FSmallIcon;
  TMainMenu* FMenu = nullptr;
  TControl* FActiveControl = nullptr;
  TWindowHandle FTooltip;
};

}  // namespace tarvell
