#include "desktop/SystemFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "gui/Handles.h"

namespace tarvell {

namespace {

// An item list from the shell, freed with the shell's allocator that made it.
class TShellItemList {
public:
  TShellItemList(IMalloc* allocator, LPITEMIDLIST list) noexcept : FAllocator(allocator), FList(list) {}
  TShellItemList(const TShellItemList&) = delete;
  TShellItemList& operator=(const TShellItemList&) = delete;
  ~TShellItemList() {
    if (FList) FAllocator->Free(FList);
  }
  LPITEMIDLIST get() const noexcept { return FList; }

private:
  IMalloc* FAllocator;
  LPITEMIDLIST FList;
};

}  // namespace

std::string WindowsDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const UINT n = ::GetWindowsDirectoryA(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return {};
  return std::string(buffer, n);
}

std::string ExecutablePath() {
  // Grow the buffer until the whole path fits: a truncated path would name another file.
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
}

std::string PerUserProgramDirectory() {
  char buffer[MAX_PATH + 1] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
  if (buffer[0] == '\0') return {};
  return JoinPath(buffer, PerUserFolderName);
}

std::optional<std::string> ShellStartupFolder() {
  TComPtr<IMalloc> allocator;
  if (FAILED(::SHGetMalloc(allocator.put()))) return std::nullopt;
  LPITEMIDLIST raw = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, &raw)) || raw == nullptr) return std::nullopt;
  const TShellItemList list(allocator.get(), raw);
  char path[MAX_PATH + 1] = {};
  if (!::SHGetPathFromIDListA(list.get(), path)) return std::nullopt;
  return std::string(path);
}

bool CanWriteFolder(const std::string& folder) {
  // A name of this process's own; the file goes away when its handle is closed. A file of that
  // name left by a process that died while probing is simply overwritten (and removed).
  const std::string probe = JoinPath(folder, "~tarvell-write-test-" + std::to_string(::GetCurrentProcessId()) + ".tmp");
  const TKernelHandle file(::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

TFolderProbe SystemFolderProbe() {
  return TFolderProbe{&CanWriteFolder, [](const std::string& path) { return FileExists(path); }};
}

TProgramFolders DecideProgramFolders() {
  TProgramFolders folders = ChooseProgramFolders(WindowsDirectory(), PerUserProgramDirectory(), SystemFolderProbe());
  if (folders.PerUser) ::CreateDirectoryA(folders.ProgramDir.c_str(), nullptr);
  return folders;
}

}  // namespace tarvell
