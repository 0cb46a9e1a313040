#include "desktop/RecycleBin.h"

#include "base/Utf8.h"
#include "base/WideText.h"
#include "gui/Dialogs.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <cctype>
#include <string_view>

namespace tarvell {

namespace {

// COM for one scope on this thread, which the shell's file operations use.
class TComScope {
public:
  TComScope() noexcept : FResult(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;
  ~TComScope() {
    if (SUCCEEDED(FResult)) ::CoUninitialize();
  }

private:
  HRESULT FResult;
};

// SHFileOperation answers some failures with codes of its own from before Win32; they
// overlap Win32 codes of other meanings (0x78 reads as "not implemented"), so they are
// translated to the Win32 code of the same meaning.
struct TShellCode {
  int Shell;
  unsigned long Win32;
};
constexpr TShellCode ShellCodes[] = {
    {0x75, ERROR_CANCELLED},             // DE_OPCANCELLED
    {0x78, ERROR_ACCESS_DENIED},         // DE_ACCESSDENIEDSRC
    {0x79, ERROR_FILENAME_EXCED_RANGE},  // DE_PATHTOODEEP
    {0x7C, ERROR_FILE_NOT_FOUND},        // DE_INVALIDFILES
    {0x80, ERROR_FILENAME_EXCED_RANGE},  // DE_FILENAMETOOLONG
    {0x82, ERROR_WRITE_PROTECT},         // DE_SRC_IS_CDROM
    {0x83, ERROR_WRITE_PROTECT},         // DE_SRC_IS_DVD
    {0x85, ERROR_WRITE_PROTECT},         // DE_SRC_IS_CDRECORD
    {0x86, ERROR_ACCESS_DENIED},         // DE_ROOTDIR
    {0xB7, ERROR_FILENAME_EXCED_RANGE},  // DE_ERROR_MAX
    {0x402, ERROR_PATH_NOT_FOUND},       // an unknown error on the source
};

unsigned long Win32CodeOfShellResult(int result) {
  for (const TShellCode& code : ShellCodes)
    if (code.Shell == result) return code.Win32;
  if ((result >= 0x71 && result <= 0x88) || result >= 0x10000) return ERROR_GEN_FAILURE;
  return static_cast<unsigned long>(result);
}

class TSystemRecycleCalls final : public TRecycleCalls {
public:
  unsigned long Recycle(const std::string& path) override {
    const TComScope com;
    std::wstring from = Widen(path);
    from.push_back(L'\0');  // a list of names, ended by an empty one
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    // Undo puts it in the Recycle Bin, silently; where it cannot go there, the warning
    // before deleting for good is kept, so that nothing goes for good without the user.
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_WANTNUKEWARNING;
    const int result = ::SHFileOperationW(&op);
    if (result != 0) return Win32CodeOfShellResult(result);
    return op.fAnyOperationsAborted ? ERROR_CANCELLED : 0;
  }

  unsigned long Rename(const std::string& from, const std::string& to) override {
    if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), 0)) return 0;
    const DWORD error = ::GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
  }

  bool Missing(const std::string& path) override {
    if (::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
};

bool IsSeparator(char c) { return c == '\\'; }

bool IsDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
  return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) && base[3] >= '0' &&
         base[3] <= '9';
}

std::string CannotSend(const std::string& path, const std::string& why) {
  return "Could not send " + path + " to the Recycle Bin: " + why;
}

// Gives the file back its own name; says where it is when that fails too.
std::string PutBack(const std::string& path, const std::string& standIn, TRecycleCalls& calls, const std::string& why) {
  if (calls.Rename(standIn, path) == 0) return CannotSend(path, why);
  return CannotSend(path, why) + "; it is now named " + standIn;
}

}  // namespace

TRecycleCalls& SystemRecycleCalls() {
  static TSystemRecycleCalls calls;
  return calls;
}

bool ShellReadsExactly(const std::string& path) {
  const bool drive =
      path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && IsSeparator(path[2]);
  const bool unc = !drive && path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  if (!drive && !unc) return false;
  if (Utf16FromUtf8(path).size() >= MAX_PATH) return false;
  if (path.find_first_of("/*?\"<>|") != std::string::npos || path.find(':', 2) != std::string::npos) return false;
  std::size_t start = drive ? 3 : 2;
  if (start >= path.size()) return false;  // a root is no file
  for (std::size_t i = start; i <= path.size(); ++i) {
    if (i < path.size() && !IsSeparator(path[i])) continue;
    const std::string_view name = std::string_view(path).substr(start, i - start);
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ' || IsDeviceName(name))
      return false;
    start = i + 1;
  }
  return true;
}

std::optional<std::string> RecycleFile(const std::string& path, TRecycleCalls& calls) {
  if (calls.Missing(path)) return std::nullopt;
  std::string sent = path;
  if (!ShellReadsExactly(path)) {
    // The shell would read another file, or none: the file takes a name beside it that the
    // shell reads exactly, and goes under that name.
    unsigned long renamed = ERROR_FILE_EXISTS;
    for (int i = 1; i <= 9 && (renamed == ERROR_FILE_EXISTS || renamed == ERROR_ALREADY_EXISTS); ++i) {
      sent = path + (i == 1 ? "_" : "_" + std::to_string(i));
      if (!ShellReadsExactly(sent)) return CannotSend(path, "the Recycle Bin cannot take its name or path");
      renamed = calls.Rename(path, sent);
    }
    if (renamed != 0) return CannotSend(path, SystemErrorText(renamed));
  }
  unsigned long error = 0;
  {
    // The shell may ask before it deletes for good, in a box whose loop lets timer ticks and hot
    // keys in: to the program that is an open question.
    const TSystemCallScope shell;
    error = calls.Recycle(sent);
  }
  if (error != 0)
    return sent == path ? CannotSend(path, SystemErrorText(error)) : PutBack(path, sent, calls, SystemErrorText(error));
  if (!calls.Missing(sent))
    return sent == path ? CannotSend(path, "it is still there") : PutBack(path, sent, calls, "it is still there");
  return std::nullopt;
}

std::string SystemErrorText(unsigned long error) {
  wchar_t* text = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length != 0 && text ? Narrow(std::wstring_view(text, length)) : std::string();
  if (text) ::LocalFree(text);
  while (!message.empty() &&
         (message.back() == '.' || message.back() == ' ' || message.back() == '\r' || message.back() == '\n'))
    message.pop_back();
  return message.empty() ? "system error " + std::to_string(error) : message;
}

}  // namespace tarvell
