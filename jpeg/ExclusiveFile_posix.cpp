#include "jpeg/ExclusiveFile.h"

#include "jpeg/Exception.h"

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
  struct stat info{};
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

std::vector<std::uint8_t> TExclusiveFile::ReadAll() {
  const int fd = static_cast<int>(FHandle);
  struct stat info{};
  if (::fstat(fd, &info) != 0 || info.st_size < 0) {
    throw EReadError("Stream read error");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      throw EReadError("Stream read error");
    }
    done += static_cast<std::size_t>(n);
  }
  return bytes;
}

}  // namespace tarvell
