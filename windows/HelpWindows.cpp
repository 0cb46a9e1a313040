#include "windows/HelpWindows.h"

#include "gui/Application.h"
#include "windows/Unit2.h"
#include "windows/Unit3.h"

namespace tarvell {

namespace {

// Made through the application, which owns it, and shown from its creation on.
template <class T>
void ShowWindowOnce(T*& form) {
  if (!form) {
    form = Application.CreateForm<T>();
    return;
  }
  form->SetWindowState(TWindowState::wsNormal);
  form->Show();
  form->BringToFront();
}

}  // namespace

void ShowAboutWindow() { ShowWindowOnce(Form2); }

void ShowHelpWindow() { ShowWindowOnce(Form3); }

}  // namespace tarvell
