#pragma once
// The tray icon's menu as a list: its items in order, each with the hot key in force for it.

#include "components/HotKeyChoice.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvell {

// 0 is no command: the title, a separator, or a menu closed without a choice.
enum class TTrayMenuCommand : std::uint8_t { None, Next, Previous, PauseResume, Exclude, ShowInFolder, CopyPath, Open, Quit };

struct TTrayMenuItem {
  TTrayMenuCommand Command = TTrayMenuCommand::None;
  std::string Text;  // "&" marks the letter that picks it; empty for a separator
  std::string Key;   // the hot key in force, shown at the right; empty for none
  bool Enabled = true;
};

// `title` names the current picture (a disabled first item); `picture` says whether there is
// one, which the picture's own items need; `paused` turns Pause into Resume. `hotKeyFlags` are
// the modifier keys in force (HotKeyChoice).
std::vector<TTrayMenuItem> TrayMenuItems(const std::string& title, bool picture, bool paused, unsigned hotKeyFlags);

}  // namespace tarvell
