// The one owner of a Win32 handle (movable, not copyable), and the kernel's handles: the window
// system's are in gui/Handles.h.
#pragma once

#include <windows.h>

#include <utility>

namespace tarvell {

// One owner per handle: movable, not copyable. Traits supply the empty value and the release call.
template <class Traits>
class TOwnedHandle {
public:
  using handle_type = typename Traits::handle_type;

  TOwnedHandle() noexcept : FHandle(Traits::Empty()) {}
  explicit TOwnedHandle(handle_type h) noexcept : FHandle(h) {}
  TOwnedHandle(const TOwnedHandle&) = delete;
  TOwnedHandle& operator=(const TOwnedHandle&) = delete;
  TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.release()) {}
  TOwnedHandle& operator=(TOwnedHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~TOwnedHandle() { reset(); }

  handle_type get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return Traits::Valid(FHandle); }

  // Gives up ownership without closing.
  handle_type release() noexcept { return std::exchange(FHandle, Traits::Empty()); }

  // Closes the held handle (if any) and takes h.
  void reset(handle_type h = Traits::Empty()) noexcept {
    handle_type old = std::exchange(FHandle, h);
    if (Traits::Valid(old) && old != h) Traits::Close(old);
  }

private:
  handle_type FHandle;
};

namespace handle_traits {
// Kernel calls return either null or INVALID_HANDLE_VALUE for "no handle"; both are empty here.
struct Kernel {
  using handle_type = HANDLE;
  static HANDLE Empty() noexcept { return nullptr; }
  static bool Valid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct FindFile {
  using handle_type = HANDLE;
  static HANDLE Empty() noexcept { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::FindClose(h); }
};
}  // namespace handle_traits

using TKernelHandle = TOwnedHandle<handle_traits::Kernel>;
using TFindHandle = TOwnedHandle<handle_traits::FindFile>;

}  // namespace tarvell
