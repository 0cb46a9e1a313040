#pragma once
// Folder listing on POSIX systems, for the native tests and the benchmark. Names that
// begin with "." count as hidden; nothing is a system file.

#include "base/DirectoryLister.h"

namespace tarvell {

class TPosixDirectoryLister final : public TDirectoryLister {
public:
  char Separator() const override { return '/'; }
  int List(const std::string& folder, std::vector<TDirEntry>& entries) override;
  std::optional<TFolderId> Identify(const std::string& folder) override;
};

}  // namespace tarvell
