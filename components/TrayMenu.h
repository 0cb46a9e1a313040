// The tray icon's menu, shown where the icon asked for it.
#pragma once

#include "components/TrayMenuItems.h"

#include <windows.h>

#include <vector>

namespace tarvell {

// Shows `items` as a popup menu at `at` (screen coordinates) for `owner`, and returns the
// command picked, or None. Follows the shell's rules for a notification icon's menu: its owner
// comes to the foreground first, so that a click elsewhere closes the menu, and a null message
// follows, so that a second menu opens at the first asking.
TTrayMenuCommand ShowTrayMenu(HWND owner, const std::vector<TTrayMenuItem>& items, POINT at);

}  // namespace tarvell
