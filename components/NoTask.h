// Keeps the application's taskbar button hidden: while HideForm is set, the application's
// window cannot be shown at all, whoever asks, and it is hidden again whenever the owner
// form is shown.
#pragma once

#include "gui/Component.h"
#include "picture/DecodeError.h"

#include <windows.h>

namespace tarvell {

class TForm;

class TFormNotOwner : public Exception {
public:
  TFormNotOwner() : Exception("The owner of TNoTask Component is not a TForm") {}
};

class TDuplicateComponent : public Exception {
public:
  TDuplicateComponent() : Exception("There is already a TNoTask component on this Form") {}
};

class TNoTask : public TComponent {
public:
  // The owner must be a form holding no other TNoTask (else TFormNotOwner or
  // TDuplicateComponent): two hooks on one form could not be taken off in any order.
  explicit TNoTask(TComponent* AOwner);
  ~TNoTask() override;

  // True hides the application's taskbar button and keeps it hidden, false restores it.
  bool HideForm() const noexcept { return FHideForm; }
  void SetHideForm(bool value);

protected:
  void Loaded() override;

private:
  void HookOwnerForm();
  void UnhookOwnerForm() noexcept;
  void UnhookAppWindow() noexcept;
  void ApplyHideForm() noexcept;
  void FormMessage(UINT msg, WPARAM wp) noexcept;
  static LRESULT CALLBACK FormProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK AppProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

  TForm* FForm;
  HWND FHookedWindow;  // the owner form's window while our procedure sits in front of it
  HWND FHookedApp;     // the application's window, likewise
  bool FHideForm;
};

// The top-level window of this process whose caption is title, or null. Windows of other
// programs that happen to carry the same caption are never taken.
HWND FindOwnWindowByCaption(const std::string& title) noexcept;

}  // namespace tarvell
