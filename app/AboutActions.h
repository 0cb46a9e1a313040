// What the About window's "Uninstall" does in this program.
#pragma once

#include "windows/HelpWindows.h"

#include <functional>

namespace tarvell {

// Uninstalls from the program's folders (after asking) and ends the process past the main
// window's way out, so the settings file just deleted is not written again; beforeExit runs
// right before the end (the user's wallpaper style put back).
TAboutActions ProgramAboutActions(std::function<void()> beforeExit);

}  // namespace tarvell
