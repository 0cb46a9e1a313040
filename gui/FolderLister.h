// What the folder and file lists need of the file system, given to them by their user: the
// lists show what it reports and choose nothing themselves.
#pragma once

#include <string>
#include <vector>

namespace tarvell {

class TFolderLister {
public:
  virtual ~TFolderLister() = default;

  // The subfolders of a folder to show, in list order; none when it cannot be read.
  virtual std::vector<std::string> Subfolders(const std::string& folder) = 0;
  // The files of a folder that match a mask, in list order; none when it cannot be read.
  virtual std::vector<std::string> MatchingFiles(const std::string& folder, const std::string& mask) = 0;
};

}  // namespace tarvell
