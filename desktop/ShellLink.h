// Shell shortcuts (.lnk files), made and read through the shell-link object.
#pragma once

#include <optional>
#include <string>

namespace tarvell {

struct TShellLinkInfo {
  std::string Target;
  std::string Description;
  int ShowCommand = 0;
};

// Creates the shortcut file at linkPath pointing at target; arguments, working folder, icon
// and hot key are left unset. Every step is tried in turn; a failing one skips the rest.
// Returns whether the file was saved.
bool CreateShellLink(const std::string& linkPath, const TShellLinkInfo& link);

// Reads a shortcut file back; nothing when it cannot be loaded. The shell reports a stored
// show command other than normal, maximised or minimised as normal (1).
std::optional<TShellLinkInfo> ReadShellLink(const std::string& linkPath);

}  // namespace tarvell
