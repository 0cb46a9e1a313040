#include "base/Win32DirectoryLister.h"

#include "base/OwnedHandle.h"
#include "base/WideText.h"

#include <windows.h>

namespace tarvell {

namespace {

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

}  // namespace

int TWin32DirectoryLister::List(const std::string& folder, std::vector<TDirEntry>& entries) {
  entries.clear();
  std::string pattern = folder;
  if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAW data;
  // Basic information skips the short names, and a large fetch reads the folder in fewer calls.
  TFindHandle find(FindFirstFileExW(WidePath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH));
  if (!find) {
    const DWORD error = GetLastError();
    // A drive's root without any entry reports "file not found"; it is simply empty.
    return error == ERROR_FILE_NOT_FOUND ? 0 : static_cast<int>(error);
  }
  do {
    if (IsDotOrDotDot(data.cFileName)) continue;
    TDirEntry entry;
    entry.Name = Narrow(data.cFileName);
    entry.IsFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.IsLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.Hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    entry.System = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    entries.push_back(std::move(entry));
  } while (FindNextFileW(find.get(), &data));
  const DWORD error = GetLastError();
  return error == ERROR_NO_MORE_FILES ? 0 : static_cast<int>(error);
}

std::optional<TFolderId> TWin32DirectoryLister::Identify(const std::string& folder) {
  // Opening a folder needs backup semantics; links and junctions are followed.
  TKernelHandle file(CreateFileW(WidePath(folder).c_str(), FILE_READ_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return TFolderId{info.dwVolumeSerialNumber,
                   (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace tarvell
