#include "app/ConfigStore.h"

#include "app/ConfigFile.h"
#include "desktop/FileReplace.h"
#include "base/Exception.h"
#include "gui/Handles.h"
#include "base/WideText.h"

#include <windows.h>

namespace tarvell {

// A settings file is a few hundred bytes; anything huge is not ours.
std::optional<std::string> ReadConfigFile(const std::string& path) { return ReadProgramFile(path, 1 << 20); }

std::optional<std::string> ReadProgramFile(const std::string& path, std::uint64_t maxBytes) {
  // Only a file that is not there is "no file". Anything else (a held file, no rights, a
  // failing drive) is an error: taking the defaults for it would write them over the file.
  const std::wstring widePath = WidePath(path);
  if (::GetFileAttributesW(widePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw EFOpenError(CannotOpenFileMessage(path));
  }
  TKernelHandle file(::CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw EFOpenError(CannotOpenFileMessage(path));
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
    throw EFOpenError(CannotOpenFileMessage(path));
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size()))
    throw EReadError("Stream read error");
  return bytes;
}

void ReplaceConfigFile(const std::string& path, const std::string& bytes) {
  if (ReplaceFileContents(path, bytes.data(), bytes.size()) != TReplaceResult::Replaced)
    throw Exception(CannotCreateFileMessage(path));
}

}  // namespace tarvell
