#pragma once
// Which folder the picture list is built from, and which one the settings keep. The saved
// folder may be one the folder lists cannot enter (a removed drive, a deleted folder); it
// stays the choice until the user picks another one, so no rebuild and no save ever replaces
// it with whatever folder the lists happen to show.

#include <string>

namespace tarvell {

class TFolderChoice {
public:
  // The saved folder at start-up, and whether the folder lists could enter it.
  void Start(std::string folder, bool entered);
  // The folder lists moved to `folder`: the user picked it (a folder, a drive), or the
  // saved one was entered.
  void Moved(std::string folder);
  // The folder a rebuild reads, given the one the folder lists show.
  const std::string& RebuildFolder(const std::string& listsFolder) const;
  // The folder the settings keep; empty before Start.
  const std::string& Saved() const noexcept { return FChosen; }
  bool Entered() const noexcept { return FEntered; }

private:
  std::string FChosen;
  bool FEntered = false;
};

}  // namespace tarvell
