// A picture file opened for reading only. Others may read it meanwhile (the indexer, an
// antivirus, a viewer) and delete or rename it, but not write it: the open fails while anyone
// holds it for writing or without sharing, and no one can open it for writing while we read
// it (on Windows; POSIX has no such mode and opens it plainly). On Windows the name is opened
// in its exact form, so "a.jpeg." is itself and not its neighbour "a.jpeg".
#pragma once

#include <cstddef>
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

  // The file's size in bytes; throws EReadError "Stream read error" when it cannot be told.
  std::uint64_t Size();
  // Reads count bytes from the current position; throws EReadError "Stream read error" when
  // fewer come.
  void ReadExactly(std::uint8_t* destination, std::size_t count);
  // The whole content, when nothing has been read yet; throws EReadError like ReadExactly.
  std::vector<std::uint8_t> ReadAll();

private:
  std::intptr_t FHandle;  // a HANDLE on Windows, a file descriptor elsewhere
};

}  // namespace tarvell
