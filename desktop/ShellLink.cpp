#include "desktop/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "base/WideText.h"
#include "gui/Handles.h"

namespace tarvell {

namespace {

// COM for one scope on this thread; nothing to undo when CoInitialize failed.
class TComInit {
public:
  TComInit() noexcept : FResult(::CoInitialize(nullptr)) {}
  TComInit(const TComInit&) = delete;
  TComInit& operator=(const TComInit&) = delete;
  ~TComInit() {
    if (SUCCEEDED(FResult)) ::CoUninitialize();
  }
  bool Ok() const noexcept { return SUCCEEDED(FResult); }

private:
  HRESULT FResult;
};

}  // namespace

bool CreateShellLink(const std::string& linkPath, const TShellLinkInfo& link) {
  const TComInit com;
  if (!com.Ok()) return false;
  const auto shellLink = ComCreate<IShellLinkW>(CLSID_ShellLink, IID_IShellLinkW);
  if (!shellLink) return false;
  if (FAILED(shellLink->SetPath(Widen(link.Target).c_str()))) return false;
  shellLink->SetDescription(Widen(link.Description).c_str());
  shellLink->SetShowCmd(link.ShowCommand);
  const auto file = ComAs<IPersistFile>(*shellLink);
  if (!file) return false;
  return SUCCEEDED(file->Save(Widen(linkPath).c_str(), TRUE));
}

std::optional<TShellLinkInfo> ReadShellLink(const std::string& linkPath) {
  const TComInit com;
  if (!com.Ok()) return std::nullopt;
  const auto shellLink = ComCreate<IShellLinkW>(CLSID_ShellLink, IID_IShellLinkW);
  const auto file = shellLink ? ComAs<IPersistFile>(*shellLink) : nullptr;
  if (!file) return std::nullopt;
  if (FAILED(file->Load(Widen(linkPath).c_str(), STGM_READ))) return std::nullopt;

  TShellLinkInfo info;
  // The longest path the system knows, so no target is cut.
  std::vector<wchar_t> buffer(32768);
  if (SUCCEEDED(shellLink->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, SLGP_RAWPATH)))
    info.Target = Narrow(buffer.data());
  // The item list is what the shell follows when the shortcut is started, and it names every
  // folder in UTF-16; the path field may be kept in an 8-bit code page (Wine keeps it so).
  PIDLIST_ABSOLUTE items = nullptr;
  if (SUCCEEDED(shellLink->GetIDList(&items)) && items) {
    if (::SHGetPathFromIDListEx(items, buffer.data(), static_cast<DWORD>(buffer.size()), GPFIDL_DEFAULT))
      info.Target = Narrow(buffer.data());
    ::CoTaskMemFree(items);
  }
  if (SUCCEEDED(shellLink->GetDescription(buffer.data(), static_cast<int>(buffer.size()))))
    info.Description = Narrow(buffer.data());
  shellLink->GetShowCmd(&info.ShowCommand);
  return info;
}

}  // namespace tarvell
