// The files of the history and of the pictures never to show again (slideshow/ShowHistory.h,
// slideshow/ExcludeList.h): UTF-8 text beside the settings (TProgramFolders), read once at
// start-up and replaced whole as they change, as the settings are, so a crash loses at most the
// change being made. Paths are UTF-8 and may be longer than the classic 260 characters.
#pragma once

#include <string>
#include <utility>

namespace tarvell {

class TShowFile {
public:
  explicit TShowFile(std::string path) : FPath(std::move(path)) {}

  // The file's text; empty when there is no file yet. Throws EFOpenError ("Cannot open file
  // %s") when it is there but cannot be read (held by another program, denied): Save then
  // leaves it alone for this run, so what the user keeps in it is not written over.
  std::string Load();

  // Replaces the file's contents in one step; throws "Cannot create file %s", the old file
  // staying as it was. Does nothing after a Load that failed.
  void Save(const std::string& text);

private:
  std::string FPath;
  bool FKeep = false;
};

}  // namespace tarvell
