// Opening the About and help windows: each is made on its first opening and kept; a later
// opening restores it from the minimised state and brings it to the front.
#pragma once

#include "windows/HelpText.h"

#include <functional>
#include <string>

namespace tarvell {

// What the About window's "Uninstall" needs of the program, given by the program itself so
// that these windows know nothing of it.
struct TAboutActions {
  // Asks and uninstalls; true when the program was uninstalled.
  std::function<bool()> Uninstall;
  // Ends the process straight away, once the program has been uninstalled.
  std::function<void()> Exit;
};

// The actions the About window is made with; set once before it is first opened.
void SetAboutActions(TAboutActions actions);

// The folder the settings file is in, named by the help text; set before the help first opens.
void SetHelpSettingsFolder(std::string folder);

// The hot keys the help text names; an open help window shows the new ones at once.
void SetHelpHotKeys(THelpHotKeys keys);

void ShowAboutWindow();
void ShowHelpWindow();

}  // namespace tarvell
