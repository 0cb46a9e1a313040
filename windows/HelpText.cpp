#include "windows/HelpText.h"

namespace tarvell {

std::string SettingsFileHelpLine(std::string_view settingsFolder) {
  if (settingsFolder.empty()) return std::string(HelpLines[SettingsFileLine]);
  std::string line = "- If program does not start, delete configuration file \"Tarvell.cfg\" in ";
  line += settingsFolder;
  line += '.';
  return line;
}

std::string HotKeyHelpLine(std::size_t n, std::string_view key) {
  // The line as written, with the key's name in place of "Ctrl+X".
  const std::string_view line = HelpLines[FirstHotKeyLine + n];
  constexpr std::size_t At = 2;
  std::string text(line.substr(0, At));
  text += key.empty() ? std::string_view("(no key)") : key;
  text += line.substr(line.find(" - ", At));
  return text;
}

std::string HelpText(std::string_view settingsFolder, const THelpHotKeys& keys) {
  const std::string* const hotKeys[] = {&keys.Next,     &keys.Clear, &keys.Delete, &keys.Quit,
                                       &keys.Previous, &keys.Pause, &keys.Exclude};
  std::string text;
  for (std::size_t i = 0; i < HelpLineCount; ++i) {
    if (i > 0) text += "\r\n";
    if (i == SettingsFileLine)
      text += SettingsFileHelpLine(settingsFolder);
    else if (i >= FirstHotKeyLine && i < FirstHotKeyLine + std::size(hotKeys))
      text += HotKeyHelpLine(i - FirstHotKeyLine, *hotKeys[i - FirstHotKeyLine]);
    else
      text += HelpLines[i];
  }
  return text;
}

}  // namespace tarvell
