#include "desktop/ShowInFolder.h"

#include "base/WideText.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace tarvell {

namespace {

struct TComUse {
  const HRESULT Result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  TComUse() = default;
  TComUse(const TComUse&) = delete;
  TComUse& operator=(const TComUse&) = delete;
  ~TComUse() { SUCCEEDED(Result) ? ::CoUninitialize() : void(); }
};

// An item list the shell allocated, given back with the task allocator.
struct TPidlFree {
  void operator()(ITEMIDLIST* pidl) const noexcept { ::CoTaskMemFree(pidl); }
};
using TPidl = std::unique_ptr<ITEMIDLIST, TPidlFree>;

}  // namespace

bool ShowInFolder(const std::string& path) noexcept {
  try {
    const TComUse com;
    PIDLIST_ABSOLUTE raw = nullptr;
    // The shell's names are the plain form: it does not parse "\\?\".
    if (FAILED(::SHParseDisplayName(Widen(path).c_str(), nullptr, &raw, 0, nullptr))) return false;
    const TPidl item(raw);
    // The item alone, no children: its folder opens with the item selected.
    return SUCCEEDED(::SHOpenFolderAndSelectItems(item.get(), 0, nullptr, 0));
  } catch (...) {
    return false;  // the path could not be widened (out of memory)
  }
}

}  // namespace tarvell
