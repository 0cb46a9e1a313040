// The folder lists' view of the file system: the visible subfolders and the visible files that
// match a mask, by name ignoring case, read through the Win32 folder listing.
#pragma once

#include "gui/FolderLister.h"

namespace tarvell {

class TSystemFolderLister final : public TFolderLister {
public:
  std::vector<std::string> Subfolders(const std::string& folder) override;
  // For each pattern of the mask in turn every matching file is listed, so a name that matches
  // two patterns appears twice; equal names keep the order of the patterns that found them.
  std::vector<std::string> MatchingFiles(const std::string& folder, const std::string& mask) override;
};

}  // namespace tarvell
