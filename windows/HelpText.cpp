#include "windows/HelpText.h"

namespace tarvell {

std::string HelpText() {
  std::string text;
  for (std::size_t i = 0; i < HelpLineCount; ++i) {
    if (i > 0) text += "\r\n";
    text += HelpLines[i];
  }
  return text;
}

}  // namespace tarvell
