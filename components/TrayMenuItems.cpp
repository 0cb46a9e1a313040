#include "components/TrayMenuItems.h"

namespace tarvell {

std::vector<TTrayMenuItem> TrayMenuItems(const std::string& title, bool picture, bool paused, unsigned hotKeyFlags) {
  using enum TTrayMenuCommand;
  const auto key = [hotKeyFlags](THotKeyCommand command) { return HotKeyName(hotKeyFlags, command); };
  return {
      {None, title, "", false},
      {},
      {Next, "&Next", key(THotKeyCommand::Next)},
      {Previous, "&Previous", key(THotKeyCommand::Previous)},
      {PauseResume, paused ? "&Resume" : "P&ause", key(THotKeyCommand::Pause)},
      {Exclude, "Ne&ver show this picture", key(THotKeyCommand::Exclude), picture},
      {},
      {ShowInFolder, "Show in &folder", "", picture},
      {CopyPath, "&Copy path", "", picture},
      {},
      {Open, "&Open Tarvell", ""},
      {Quit, "&Quit", key(THotKeyCommand::Quit)},
  };
}

}  // namespace tarvell
