#include "gui/FolderPath.h"

#include "base/Exception.h"
#include "base/NativePath.h"
#include "base/PathText.h"
#include "base/WideText.h"

#include <windows.h>

#include <algorithm>

namespace tarvell {

namespace {
bool IsSeparator(char c) noexcept { return c == '\\' || c == '/'; }
char Upper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool HasDrive(const std::string& path) noexcept {
  return path.size() >= 2 && path[1] == ':' && Upper(path[0]) >= 'A' && Upper(path[0]) <= 'Z';
}

// The text a system call writes into a buffer of the size it is given; the call answers the
// length written, the size it needs when that is too small, or 0 when it fails.
template <class F>
std::wstring SystemText(F call) {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = call(buf.data(), static_cast<DWORD>(buf.size()));
    const bool fits = got < buf.size();
    buf.resize(got);
    if (fits) return buf;
  }
}

std::string ProcessCurrentFolder() {
  return Narrow(SystemText([](wchar_t* buf, DWORD size) { return ::GetCurrentDirectoryW(size, buf); }));
}

std::string& Entered() {
  static std::string folder = ProcessCurrentFolder();
  return folder;
}

// The path with the folder entered last (or a drive's current folder) before a relative part.
std::string Absolute(const std::string& path) {
  if (HasDrive(path)) {
    if (path.size() >= 3 && IsSeparator(path[2])) return path;
    return JoinPath(DriveCurrentFolder(path[0]), path.substr(2));  // "d:name"
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return path;  // network or extended
  if (!path.empty() && IsSeparator(path[0])) {
    const std::vector<std::string> parts = SplitFolderPath(Entered());
    return JoinPath(parts.empty() ? std::string() : parts.front(), path.substr(1));
  }
  return JoinPath(Entered(), path);
}

// "." and ".." resolved, '/' made '\', every name kept exactly, so a folder "Pics." is never
// taken for its neighbour "Pics"; empty with the last error set when the text is no path.
std::string ResolvedFolder(const std::string& absolute) {
  const std::string exact = ExactPath(absolute);
  if (exact != absolute) {
    if (exact.rfind("\\\\?\\UNC\\", 0) == 0) return "\\" + exact.substr(7);
    if (exact.rfind("\\\\?\\", 0) == 0) return exact.substr(4);
  }
  // Already in an extended or device form: the system's reading (it drops a name's trailing
  // dots and spaces) as before.
  const std::wstring wide = Widen(absolute);
  return Narrow(
      SystemText([&wide](wchar_t* buf, DWORD size) { return ::GetFullPathNameW(wide.c_str(), size, buf, nullptr); }));
}
}  // namespace

std::string EnterFolder(const std::string& path) {
  std::string folder = ResolvedFolder(Absolute(path));
  if (folder.empty()) throw EInOutError(static_cast<int>(::GetLastError()));
  const DWORD attributes = ::GetFileAttributesW(WidePath(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) throw EInOutError(static_cast<int>(::GetLastError()));
  // What the system answers when a file's name is given as a folder to enter.
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw EInOutError(ERROR_DIRECTORY);
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  Entered() = folder;
  return folder;
}

std::string EnteredFolder() { return Entered(); }

std::string EnterLastFolder() {
  try {
    return EnterFolder(".");
  } catch (const EInOutError&) {
    // Unlike the process's current folder, the one entered last can be deleted meanwhile.
    return EnterFolder(ProcessCurrentFolder());
  }
}

std::string DriveCurrentFolder(char drive) {
  const std::string& entered = Entered();
  if (HasDrive(entered) && Upper(entered[0]) == Upper(drive)) return entered;
  // The folder Windows keeps for a drive that is not the current one ("=D:" in the environment,
  // set by the command prompt), or the drive's root.
  const wchar_t name[] = {L'=', static_cast<wchar_t>(Upper(drive)), L':', L'\0'};
  const std::wstring folder =
      SystemText([&name](wchar_t* buf, DWORD size) { return ::GetEnvironmentVariableW(name, buf, size); });
  return folder.empty() ? std::string{Upper(drive), ':', '\\'} : Narrow(folder);
}

std::vector<std::string> SplitFolderPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.push_back(path.substr(0, 2) + "\\");
    start = 2;
  } else if (path.rfind("\\\\", 0) == 0) {
    // \\server\share is the root of a network path.
    const std::size_t server = path.find('\\', 2);
    start = server == std::string::npos ? path.size() : std::min(path.find('\\', server + 1), path.size());
    parts.push_back(path.substr(0, start));
  }
  while (start < path.size()) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace tarvell
