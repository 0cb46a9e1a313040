// A file opened for reading only and without sharing: while it is open, no one else can open
// it, and the open fails while anyone else has it open (on Windows; POSIX has no such mode
// and opens it plainly).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvell {

class TExclusiveFile {
public:
  // Throws EFOpenError "Cannot open file <path>" when the file cannot be opened.
  explicit TExclusiveFile(const std::string& path);
  ~TExclusiveFile();
  TExclusiveFile(const TExclusiveFile&) = delete;
  TExclusiveFile& operator=(const TExclusiveFile&) = delete;

  // The whole content; throws EReadError "Stream read error" when the reads deliver fewer
  // bytes than the file's size.
  std::vector<std::uint8_t> ReadAll();

private:
  std::intptr_t FHandle;  // a HANDLE on Windows, a file descriptor elsewhere
};

}  // namespace tarvell
