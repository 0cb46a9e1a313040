#include "desktop/SystemFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "gui/Handles.h"
#include "base/WideText.h"

namespace tarvell {

std::string WindowsDirectory() {
  // Asked twice when needed: the first answer is the size the folder's name takes.
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const UINT n = ::GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Narrow(std::wstring_view(buffer.data(), n));
    buffer.resize(n + 1);
  }
}

std::string ExecutablePath() {
  // Grow the buffer until the whole path fits: a truncated path would name another file.
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Narrow(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
}

std::string PerUserProgramDirectory() {
  // The known-folder call has no length limit; its string is the shell's to free.
  PWSTR raw = nullptr;
  const HRESULT hr = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &raw);
  const std::string folder = SUCCEEDED(hr) && raw ? Narrow(raw) : std::string();
  ::CoTaskMemFree(raw);
  if (folder.empty()) return {};
  return JoinPath(folder, PerUserFolderName);
}

std::optional<std::string> ShellStartupFolder() {
  PWSTR raw = nullptr;
  const HRESULT hr = ::SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_DEFAULT, nullptr, &raw);
  std::optional<std::string> folder;
  if (SUCCEEDED(hr) && raw && raw[0] != L'\0') folder = Narrow(raw);
  ::CoTaskMemFree(raw);
  return folder;
}

bool CanWriteFolder(const std::string& folder) {
  // A name of this process's own; the file goes away when its handle is closed. A file of that
  // name left by a process that died while probing is simply overwritten (and removed).
  const std::string probe = JoinPath(folder, "~tarvell-write-test-" + std::to_string(::GetCurrentProcessId()) + ".tmp");
  const TKernelHandle file(::CreateFileW(WidePath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

TFolderProbe SystemFolderProbe() {
  return TFolderProbe{&CanWriteFolder, [](const std::string& path) { return FileExists(path); }};
}

TProgramFolders DecideProgramFolders() {
  TProgramFolders folders = ChooseProgramFolders(WindowsDirectory(), PerUserProgramDirectory(), SystemFolderProbe());
  if (folders.PerUser) ::CreateDirectoryW(WidePath(folders.ProgramDir).c_str(), nullptr);
  return folders;
}

}  // namespace tarvell
