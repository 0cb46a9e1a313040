// The application object: title, its own hidden top-level window (the taskbar button's owner),
// the main form, the message loop and the display of errors that reach the loop.
#pragma once

#include "gui/Component.h"
#include "gui/Wnd.h"

#include <exception>
#include <string>

namespace tarvell {

class TForm;

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  const std::string& Title() const noexcept { return FTitle; }
  // Also the caption of the application's own window, by which other code finds it.
  void SetTitle(const std::string& title);

  // The application's own window, created on first use. It is never visible unless shown
  // explicitly; forms are owned by it, so they get no taskbar buttons of their own.
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

  // Runs the message loop until Terminate or WM_QUIT; returns the quit code. The main form
  // stays hidden: the program starts in the notification area.
  int Run();
  // Makes Run return once the current message is handled.
  void Terminate() noexcept;
  bool Terminated() const noexcept { return FTerminated; }

  // Shows an error that reached the message loop in the standard error box. Never throws.
  void ShowException(const std::exception& e) noexcept;

  // Dispatches one retrieved message through the forms' key handling.
  void DispatchOne(MSG& msg);

private:
  class TAppWindow : public TWnd {
  public:
    explicit TAppWindow(TApplication& app) : FApp(app) {}
    ~TAppWindow() override { DestroyHandle(); }

  protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    TApplication& FApp;
  };

  std::string FTitle;
  TAppWindow FWindow;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
};

extern TApplication Application;

}  // namespace tarvell
