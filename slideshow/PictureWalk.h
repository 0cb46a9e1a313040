#pragma once
// Builds the picture list of a folder: the folder's own pictures sorted by name ignoring
// case, then, with subfolders, each subfolder's whole tree in name order (depth first).
// Hidden and system files and folders are left out. Each entry is the folder's path,
// the separator and the file name; the folder path has no separator at its end except
// for a drive's root, so a picture in a root is written with two separators ("C:\\a.jpg").

#include "base/DirectoryLister.h"
#include "slideshow/FileMask.h"
#include "slideshow/PicturePaths.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvell {

struct TPictureList {
  TPicturePaths Pictures;
  // 0, or the system's error code of the first folder that could not be read. Such a
  // folder is skipped and the walk goes on; the caller reports "I/O error %d" once.
  int FirstError = 0;
};

class TPictureWalk {
public:
  // Both are used, not copied: they must outlive the walk.
  TPictureWalk(TDirectoryLister& lister, const TFileMask& mask);

  // The pictures of `folder`, and of all its subfolders when `subfolders` is set.
  // A folder that a link leads back to while it is still being walked (a link to one
  // of its ancestors) is not walked again.
  TPictureList Collect(const std::string& folder, bool subfolders);

  // The folder as the folder lists write it: separators at the end removed, except
  // for a root ("C:\", "/").
  static std::string NormalizeFolder(const std::string& folder, char separator);

private:
  struct TSubfolder {
    std::string Name;
    bool IsLink;
  };
  struct TFrame {
    std::string Path;
    std::vector<TSubfolder> Subfolders;
    std::size_t Next = 0;
    std::optional<TFolderId> Id;
    bool IdKnown = false;
  };

  // Lists one folder: appends its pictures, and fills the frame's subfolders when asked.
  bool Enter(TFrame& frame, bool subfolders, TPictureList& out);
  bool LeadsToAncestor(const std::string& path);
  const std::optional<TFolderId>& IdOf(TFrame& frame);

  TDirectoryLister& Lister;
  const TFileMask& Mask;
  char Separator;
  std::vector<TFrame> Stack;
  std::vector<TDirEntry> Entries;
  std::vector<std::string> Names;
};

}  // namespace tarvell
