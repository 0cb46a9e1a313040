#include "gui/Form.h"

#include "gui/Application.h"
#include "base/Exception.h"
#include "base/WideText.h"
#include "gui/IconResource.h"
#include "gui/Menus.h"

#include <commctrl.h>

#include <utility>

namespace tarvell {

namespace {
constexpr const char* FormWindowClass = "TTarvellForm";

// The frame (caption, borders, menu bar) a window of this style has at 96 dpi; the current
// one where the system cannot tell (before Windows 10 1607, where the two are the same for us).
RECT FrameAt96Dpi(DWORD style, bool menu, DWORD exStyle) noexcept {
  using TAdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = reinterpret_cast<TAdjustForDpi>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  RECT r{0, 0, 0, 0};
  if (!adjust || !adjust(&r, style, menu, exStyle, 96)) ::AdjustWindowRectEx(&r, style, menu, exStyle);
  return r;
}

// The tooltip's tool for a control of the form.
TTTOOLINFOW ToolOf(HWND form, const TControl& control) noexcept {
  TTTOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.hwnd = form;
  ti.uId = reinterpret_cast<UINT_PTR>(control.Handle());
  return ti;
}
}  // namespace

TForm::TForm(TComponent* AOwner) : TControl(AOwner) { TControl::SetVisible(false); }

TForm::~TForm() {
  if (Application.MainForm() == this) Application.SetMainForm(nullptr);
  DestroyHandle();
}

void TForm::CreateParams(TWndCreateParams& p) {
  TWnd::RegisterWndClass(FormWindowClass, CS_DBLCLKS);
  // The common control classes its controls may be of (tooltips, up-downs), once.
  static const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  [[maybe_unused]] static const BOOL commonControls = ::InitCommonControlsEx(&icc);
  TControl::CreateParams(p);
  p.ClassName = FormWindowClass;
  p.Parent = Application.Handle();  // the owner: no taskbar button of its own
  p.Style = WS_CLIPCHILDREN | (FBorderStyle == TBorderStyle::bsSingle
                                   ? WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER
                                   : WS_OVERLAPPEDWINDOW);
  if (FFormStyle == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (FHasClientSize || FDesignedOuterSize) {
    RECT r{0, 0, FClientWidth, FClientHeight};
    if (!FHasClientSize) {
      // The layout's outer size holds the frame it had at 96 dpi. Where the frame is larger (a
      // scaled screen that is not hidden from us, a larger caption font) the window grows by
      // the difference, so that the controls keep the client area they were laid out in.
      const RECT designed = FrameAt96Dpi(p.Style, FMenu != nullptr, p.ExStyle);
      r = RECT{0, 0, p.Width - (designed.right - designed.left), p.Height - (designed.bottom - designed.top)};
      FDesignedOuterSize = false;  // once: a handle made again keeps the size it has
    }
    ::AdjustWindowRectEx(&r, p.Style, FMenu != nullptr, p.ExStyle);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
    TControl::SetBounds(Left(), Top(), p.Width, p.Height);
  }
  if (FPosition == TPosition::poScreenCenter) {
    p.X = (::GetSystemMetrics(SM_CXSCREEN) - p.Width) / 2;
    p.Y = (::GetSystemMetrics(SM_CYSCREEN) - p.Height) / 2;
    TControl::SetBounds(p.X, p.Y, p.Width, p.Height);
  }
}

void TForm::CreateWnd() {
  TControl::CreateWnd();
  if (FMenu) ::SetMenu(Handle(), FMenu->Handle());
  if (!FBigIcon) {
    // The program's icon, as the shell shows it; a program without one keeps the default.
    try {
      SetIcon(ProgramIconName());
    } catch (const Exception&) {}
  } else {
    ShowIcons();
  }
  if (!FShowHint) return;
  FTooltip.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr));
}

void TForm::SetClientSize(int width, int height) {
  FHasClientSize = true;
  FClientWidth = width;
  FClientHeight = height;
}

void TForm::Restore() {
  if (!HasHandle() || !::IsWindowVisible(Handle())) return;
  if (::IsIconic(Handle()) || ::IsZoomed(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
}

void TForm::SetIcon(std::string_view resourceName) {
  TIconHandle bigIcon = LoadIconResource(resourceName, TIconMetric::Large);
  TIconHandle smallIcon = LoadIconResource(resourceName, TIconMetric::Small);
  std::swap(FBigIcon, bigIcon);
  std::swap(FSmallIcon, smallIcon);
  // The previous icons go once the window no longer shows them.
  if (HasHandle()) ShowIcons();
}

void TForm::ShowIcons() noexcept {
  Perform(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FBigIcon.get()));
  Perform(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FSmallIcon.get()));
}

void TForm::SetMenu(TMainMenu* menu) {
  FMenu = menu;
  if (HasHandle()) ::SetMenu(Handle(), menu ? menu->Handle() : nullptr);
}

void TForm::SetVisible(bool visible) {
  if (!visible) {
    TControl::SetVisible(false);
    return;
  }
  HandleNeeded();
  if (Application.MainForm() == this) {
    // The application's window carries the taskbar button; it goes first, so a component
    // that hides it again while the form is being shown has the last word.
    HWND app = Application.Handle();
    if (!::IsWindowVisible(app)) ::ShowWindow(app, SW_SHOWNA);
  }
  TControl::SetVisible(true);  // SW_SHOW
  Restore();
  if (FActiveControl && FActiveControl->HasHandle() && ::GetActiveWindow() == Handle()) FActiveControl->SetFocus();
}

void TForm::BringToFront() {
  if (!HasHandle()) return;
  // A stay-on-top window goes to the top of the stay-on-top band; Wine ignores HWND_TOP for
  // an owned top-most window.
  HWND top = FFormStyle == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_TOP;
  ::SetWindowPos(Handle(), top, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(Handle());
}

void TForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(*this, canClose);
  if (!canClose) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(*this, action);
  if (action == TCloseAction::caNone) return;
  if (Application.MainForm() == this) {
    Application.Terminate();
  } else {
    Hide();
  }
}

void TForm::DestroyingHandle() noexcept {
  // A window destroys its menu with it; the menu belongs to its component.
  if (FMenu) ::SetMenu(Handle(), nullptr);
  FTooltip.reset();
}

void TForm::HandleDestroyed() {
  FTooltip.release();  // an owned window: it went with the form
  TControl::HandleDestroyed();
}

bool TForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r = ClientRect();
      if (HBRUSH brush = BackgroundBrush()) ::FillRect(reinterpret_cast<HDC>(wp), &r, brush);
      result = 1;
      return true;
    }
    case WM_CLOSE:
      Close();
      result = 0;
      return true;
    case WM_DESTROY:
      if (FMenu) ::SetMenu(Handle(), nullptr);
      return false;
    case WM_SIZE:
    case WM_MOVE:
      TControl::HandleMessage(msg, wp, lp, result);  // the bounds first, as the handler reads them
      if (msg == WM_SIZE && !Loading() && OnResize) OnResize(*this);
      return false;
    case WM_ACTIVATE:
      return Activate(LOWORD(wp) != WA_INACTIVE, wp, lp, result);
    case DM_GETDEFID:
    case WM_COMMAND:
      if (HandleDialogCommand(msg, wp, lp, result)) return true;
      break;
    default:
      break;
  }
  return TControl::HandleMessage(msg, wp, lp, result);
}

// The focus leaves with the window and comes back to the control that had it.
bool TForm::Activate(bool active, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (!active) {
    TControl* focused = FindControl(::GetFocus());
    if (focused && focused != this && focused->ParentForm() == this) FActiveControl = focused;
    return false;
  }
  if (!FActiveControl || !FActiveControl->HasHandle() || !::IsWindowVisible(FActiveControl->Handle())) return false;
  result = DefaultHandler(WM_ACTIVATE, wp, lp);
  FActiveControl->SetFocus();
  return true;
}

// A form's hints: one tooltip window, made with the form's, and a tool for each control with
// a hint, added as the control's window is made.
void TForm::ControlCreated(TControl& control) {
  if (&control == this || control.Hint().empty() || !FTooltip) return;
  TTTOOLINFOW ti = ToolOf(Handle(), control);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  std::wstring text = Widen(control.Hint());
  ti.lpszText = text.data();
  ::SendMessageW(FTooltip.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void TForm::ControlRemoved(TControl& control) noexcept {
  if (FActiveControl == &control) FActiveControl = nullptr;
  if (!FTooltip || !control.HasHandle()) return;
  TTTOOLINFOW ti = ToolOf(Handle(), control);
  ::SendMessageW(FTooltip.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace tarvell
