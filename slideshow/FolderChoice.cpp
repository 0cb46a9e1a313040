#include "slideshow/FolderChoice.h"

#include <utility>

namespace tarvell {

void TFolderChoice::Start(std::string folder, bool entered) {
  FChosen = std::move(folder);
  FEntered = entered;
}

void TFolderChoice::Moved(std::string folder) {
  FChosen = std::move(folder);
  FEntered = true;
}

const std::string& TFolderChoice::RebuildFolder(const std::string& listsFolder) const {
  // Until the chosen folder has been entered, a rebuild tries it again: the drive may be back.
  return FEntered ? listsFolder : FChosen;
}

}  // namespace tarvell
