#include "components/Clipboard.h"

#include "base/WideText.h"

#include <cstring>
#include <memory>

namespace tarvell {

namespace {

class TClipboardOpen {
public:
  explicit TClipboardOpen(HWND owner) noexcept : FOpen(::OpenClipboard(owner) != FALSE) {}
  TClipboardOpen(const TClipboardOpen&) = delete;
  TClipboardOpen& operator=(const TClipboardOpen&) = delete;
  ~TClipboardOpen() {
    if (FOpen) ::CloseClipboard();
  }
  bool Open() const noexcept { return FOpen; }

private:
  bool FOpen;
};

// Movable global memory, freed unless the clipboard took it.
struct TGlobalFree {
  void operator()(void* memory) const noexcept { ::GlobalFree(static_cast<HGLOBAL>(memory)); }
};
using TGlobalMemory = std::unique_ptr<void, TGlobalFree>;

class TGlobalLock {
public:
  explicit TGlobalLock(HGLOBAL memory) noexcept : FMemory(memory), FData(::GlobalLock(memory)) {}
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  ~TGlobalLock() {
    if (FData) ::GlobalUnlock(FMemory);
  }
  void* Data() const noexcept { return FData; }

private:
  HGLOBAL FMemory;
  void* FData;
};

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::string& text) noexcept {
  try {
    const std::wstring wide = Widen(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    TGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    {
      const TGlobalLock lock(memory.get());
      if (!lock.Data()) return false;
      std::memcpy(lock.Data(), wide.c_str(), bytes);
    }
    const TClipboardOpen clipboard(owner);
    if (!clipboard.Open() || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
  } catch (...) {
    return false;  // out of memory for the wide text
  }
}

}  // namespace tarvell
