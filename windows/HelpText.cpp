#include "windows/HelpText.h"

namespace tarvell {

std::string SettingsFileHelpLine(std::string_view settingsFolder) {
  if (settingsFolder.empty()) return std::string(HelpLines[SettingsFileLine]);
  std::string line = "- If program does not start, delete configuration file \"Tarvell.cfg\" in ";
  line += settingsFolder;
  line += '.';
  return line;
}

std::string HelpText(std::string_view settingsFolder) {
  std::string text;
  for (std::size_t i = 0; i < HelpLineCount; ++i) {
    if (i > 0) text += "\r\n";
    if (i == SettingsFileLine)
      text += SettingsFileHelpLine(settingsFolder);
    else
      text += HelpLines[i];
  }
  return text;
}

}  // namespace tarvell
