// The application object: title, its own top-level window (the taskbar button's owner), the
// main form and the message loop.
#pragma once

#include "gui/Component.h"
#include "gui/Wnd.h"

#include <string>

namespace tarvell {

class TForm;

class TApplication : public TComponent {
public:
  TApplication();

  const std::string& Title() const noexcept { return FTitle; }
  // Also the caption of the application's own window, by which other code finds it.
  void SetTitle(const std::string& title);

  // The application's own window, made on first use; it owns the forms, so they get no
  // taskbar buttons of their own.
  HWND Handle();
  bool HandleAllocated() const noexcept { return FWindow.HasHandle(); }

  // The first form created through CreateForm, unless set otherwise.
  TForm* MainForm() const noexcept { return FMainForm; }
  void SetMainForm(TForm* form) noexcept { FMainForm = form; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = new T(this, std::forward<Args>(args)...);
    if (!FMainForm) FMainForm = form;
    return form;
  }

  // Runs the message loop until Terminate or WM_QUIT; returns the quit code.
  int Run();
  // Makes Run return once the current message is handled.
  void Terminate() noexcept;

  // Dispatches one retrieved message through the forms' key handling.
  void DispatchOne(MSG& msg);

private:
  bool WindowMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  std::string FTitle;
  TMessageWindow FWindow;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
};

extern TApplication Application;

}  // namespace tarvell
