#include "base/PosixDirectoryLister.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace tarvell {

namespace {

class TDirHandle {
public:
  explicit TDirHandle(DIR* dir) : Dir(dir) {}
  ~TDirHandle() {
    if (Dir) closedir(Dir);
  }
  TDirHandle(const TDirHandle&) = delete;
  TDirHandle& operator=(const TDirHandle&) = delete;
  DIR* Get() const { return Dir; }

private:
  DIR* Dir;
};

bool IsDotOrDotDot(const char* name) { return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)); }

}  // namespace

int TPosixDirectoryLister::List(const std::string& folder, std::vector<TDirEntry>& entries) {
  entries.clear();
  TDirHandle dir(opendir(folder.c_str()));
  if (!dir.Get()) return errno;
  const int fd = dirfd(dir.Get());
  for (;;) {
    errno = 0;
    const dirent* ent = readdir(dir.Get());
    if (!ent) {
      if (errno != 0) return errno;
      break;
    }
    if (IsDotOrDotDot(ent->d_name)) continue;
    TDirEntry entry;
    entry.Name = ent->d_name;
    entry.Hidden = ent->d_name[0] == '.';
    unsigned char type = ent->d_type;
    if (type == DT_UNKNOWN) {
      struct stat st {};
      if (fstatat(fd, ent->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
        type = S_ISLNK(st.st_mode) ? DT_LNK : (S_ISDIR(st.st_mode) ? DT_DIR : DT_REG);
    }
    if (type == DT_LNK) {
      // A link counts as what it leads to; a dangling one as a file.
      entry.IsLink = true;
      struct stat st {};
      entry.IsFolder = fstatat(fd, ent->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    } else {
      entry.IsFolder = type == DT_DIR;
    }
    entries.push_back(std::move(entry));
  }
  return 0;
}

std::optional<TFolderId> TPosixDirectoryLister::Identify(const std::string& folder) {
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0) return std::nullopt;
  return TFolderId{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace tarvell
