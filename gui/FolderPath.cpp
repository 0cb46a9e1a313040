#include "gui/FolderPath.h"

#include "gui/InOutError.h"
#include "base/PathText.h"

#include <windows.h>

namespace tarvell {

namespace {
std::string CurrentFolder() {
  DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
  std::string buf(needed, '\0');
  DWORD got = ::GetCurrentDirectoryA(needed, buf.data());
  buf.resize(got < needed ? got : 0);
  return buf;
}
}  // namespace

std::string EnterFolder(const std::string& path) {
  if (!::SetCurrentDirectoryA(path.c_str())) throw EInOutError(static_cast<int>(::GetLastError()));
  return CurrentFolder();
}

std::string DriveCurrentFolder(char drive) {
  char drivePath[3] = {drive, ':', '\0'};
  char buf[MAX_PATH] = {};
  DWORD got = ::GetFullPathNameA(drivePath, MAX_PATH, buf, nullptr);
  if (got == 0 || got >= MAX_PATH) return std::string(1, drive) + ":\\";
  return std::string(buf, got);
}

std::vector<std::string> SplitFolderPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.push_back(path.substr(0, 2) + "\\");
    start = path.size() > 2 && path[2] == '\\' ? 3 : 2;
  } else if (path.rfind("\\\\", 0) == 0) {
    // \\server\share is the root of a network path.
    std::size_t server = path.find('\\', 2);
    std::size_t share = server == std::string::npos ? std::string::npos : path.find('\\', server + 1);
    parts.push_back(path.substr(0, share));
    start = share == std::string::npos ? path.size() : share + 1;
  }
  while (start < path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string JoinFolder(const std::string& folder, const std::string& name) { return JoinPath(folder, name); }

bool SameFolderText(const std::string& a, const std::string& b) { return SamePathText(a, b); }

}  // namespace tarvell
