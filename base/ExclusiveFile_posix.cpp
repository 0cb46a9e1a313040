#include "base/ExclusiveFile.h"

#include "base/Exception.h"


#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvell {

namespace {

int OpenRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    throw EFOpenError("Cannot open file " + path);
  }
  struct stat info {};
  // A directory opens fine here but not on Windows; refuse it the same way.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw EFOpenError("Cannot open file " + path);
  }
  return fd;
}

}  // namespace

TExclusiveFile::TExclusiveFile(const std::string& path) : FHandle(OpenRegularFile(path)) {}

TExclusiveFile::~TExclusiveFile() { ::close(static_cast<int>(FHandle)); }

std::uint64_t TExclusiveFile::Size() {
  struct stat info {};
  if (::fstat(static_cast<int>(FHandle), &info) != 0 || info.st_size < 0) {
    throw EReadError("Stream read error");
  }
  return static_cast<std::uint64_t>(info.st_size);
}

void TExclusiveFile::ReadExactly(std::uint8_t* destination, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(static_cast<int>(FHandle), destination + done, count - done);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      throw EReadError("Stream read error");
    }
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace tarvell
