#pragma once
// Folder listing through the Win32 file enumeration. Folders are named to the system in their
// exact form and names come back as the folder holds them, so a trailing dot or space stays.
// Folder identity is the volume serial number and file index of the folder a path opens.

#include "base/DirectoryLister.h"

namespace tarvell {

class TWin32DirectoryLister final : public TDirectoryLister {
public:
  char Separator() const override { return '\\'; }
  int List(const std::string& folder, std::vector<TDirEntry>& entries) override;
  std::optional<TFolderId> Identify(const std::string& folder) override;
};

}  // namespace tarvell
