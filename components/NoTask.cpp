#include "components/NoTask.h"

#include "gui/Application.h"
#include "gui/Form.h"
#include "base/WideText.h"

#include <commctrl.h>

namespace tarvell {

namespace {

TForm* OwnerForm(TComponent* owner) {
  if (!owner) return nullptr;
  auto* form = dynamic_cast<TForm*>(owner);
  if (!form) throw TFormNotOwner();
  return form;
}

// Counts the TNoTask components of the owner, this one (already inserted) included.
std::size_t NoTaskCount(const TComponent& owner) noexcept {
  std::size_t count = 0;
  for (std::size_t i = 0; i < owner.ComponentCount(); ++i) {
    if (dynamic_cast<TNoTask*>(owner.Components(i))) ++count;
  }
  return count;
}

}  // namespace

HWND FindOwnWindowByCaption(const std::string& title) noexcept {
  // An empty caption would match every untitled window, hidden helper windows among them.
  if (title.empty()) return nullptr;
  const DWORD self = ::GetCurrentProcessId();
  const std::wstring wideTitle = Widen(title);
  HWND wnd = nullptr;
  while ((wnd = ::FindWindowExW(nullptr, wnd, nullptr, wideTitle.c_str())) != nullptr) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid == self) return wnd;
  }
  return nullptr;
}

TNoTask::TNoTask(TComponent* AOwner)
    : TComponent(AOwner), FForm(OwnerForm(AOwner)), FHookedWindow(nullptr), FHookedApp(nullptr), FHideForm(true) {
  if (FForm && NoTaskCount(*FForm) > 1) throw TDuplicateComponent();
  HookOwnerForm();
}

TNoTask::~TNoTask() {
  UnhookOwnerForm();
  UnhookAppWindow();
}

void TNoTask::SetHideForm(bool value) {
  FHideForm = value;
  HookOwnerForm();
  ApplyHideForm();
}

void TNoTask::Loaded() {
  TComponent::Loaded();
  // A form read from a layout gets its window after its components: hook it now.
  HookOwnerForm();
  ApplyHideForm();
}

// The owner form's messages pass through FormProc from here on, and the application
// window's through AppProc. Does nothing until the form has a window, and again once it is
// hooked.
void TNoTask::HookOwnerForm() {
  if (!FForm || !FForm->HasHandle()) return;
  HWND wnd = FForm->Handle();
  if (wnd != FHookedWindow) {
    UnhookOwnerForm();
    if (::SetWindowSubclass(wnd, &TNoTask::FormProc, reinterpret_cast<UINT_PTR>(this),
                            reinterpret_cast<DWORD_PTR>(this)))
      FHookedWindow = wnd;
  }
  HWND app = FindOwnWindowByCaption(Application.Title());
  if (app && app != FHookedApp) {
    UnhookAppWindow();
    if (::SetWindowSubclass(app, &TNoTask::AppProc, reinterpret_cast<UINT_PTR>(this),
                            reinterpret_cast<DWORD_PTR>(this)))
      FHookedApp = app;
  }
}

void TNoTask::UnhookOwnerForm() noexcept {
  if (!FHookedWindow) return;
  ::RemoveWindowSubclass(FHookedWindow, &TNoTask::FormProc, reinterpret_cast<UINT_PTR>(this));
  FHookedWindow = nullptr;
}

void TNoTask::UnhookAppWindow() noexcept {
  if (!FHookedApp) return;
  ::RemoveWindowSubclass(FHookedApp, &TNoTask::AppProc, reinterpret_cast<UINT_PTR>(this));
  FHookedApp = nullptr;
}

void TNoTask::ApplyHideForm() noexcept {
  HWND app = FindOwnWindowByCaption(Application.Title());
  if (app) ::ShowWindow(app, FHideForm ? SW_HIDE : SW_RESTORE);
}

void TNoTask::FormMessage(UINT msg, WPARAM wp) noexcept {
  // The form is about to be shown: hide the taskbar button before the form is drawn.
  if (msg == WM_SHOWWINDOW && wp != 0) ApplyHideForm();
}

LRESULT CALLBACK TNoTask::FormProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TNoTask*>(data);
  self->FormMessage(msg, wp);
  if (msg == WM_NCDESTROY) self->UnhookOwnerForm();
  return ::DefSubclassProc(wnd, msg, wp, lp);
}

// Hiding the application's window again only when the form is shown left its taskbar button
// on every path that shows it without a new showing of the form (a second start while the
// window is open). While HideForm is set, no showing of it takes effect at all.
LRESULT CALLBACK TNoTask::AppProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<TNoTask*>(data);
  if (msg == WM_WINDOWPOSCHANGING && self->FHideForm) reinterpret_cast<WINDOWPOS*>(lp)->flags &= ~SWP_SHOWWINDOW;
  if (msg == WM_NCDESTROY) self->UnhookAppWindow();
  return ::DefSubclassProc(wnd, msg, wp, lp);
}

}  // namespace tarvell
