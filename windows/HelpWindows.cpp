#include "windows/HelpWindows.h"

#include "gui/Application.h"
#include "gui/Edit.h"
#include "windows/Unit2.h"
#include "windows/Unit3.h"

namespace tarvell {

namespace {

TAboutActions& AboutActions() {
  static TAboutActions actions;
  return actions;
}

// Made through the application, which owns it, and shown from its creation on.
template <class T, class... Args>
void ShowWindowOnce(T*& form, const Args&... args) {
  if (!form) {
    form = Application.CreateForm<T>(args...);
    return;
  }
  form->Restore();
  form->Show();
  form->BringToFront();
}

std::string& HelpSettingsFolder() {
  static std::string folder;
  return folder;
}

THelpHotKeys& HelpHotKeys() {
  static THelpHotKeys keys;
  return keys;
}

void ShowHelpText() {
  if (Form3 && Form3->Memo1) Form3->Memo1->SetText(HelpText(HelpSettingsFolder(), HelpHotKeys()));
}

}  // namespace

void SetHelpHotKeys(THelpHotKeys keys) {
  HelpHotKeys() = std::move(keys);
  ShowHelpText();
}

void SetHelpSettingsFolder(std::string folder) { HelpSettingsFolder() = std::move(folder); }

void SetAboutActions(TAboutActions actions) { AboutActions() = std::move(actions); }

void ShowAboutWindow() { ShowWindowOnce(Form2, AboutActions()); }

void ShowHelpWindow() {
  const bool made = !Form3;
  ShowWindowOnce(Form3, HelpSettingsFolder());
  if (made) ShowHelpText();
}

}  // namespace tarvell
