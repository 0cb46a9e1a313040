#include "gui/DpiAwareness.h"

namespace tarvell {

TSetThreadDpiContext SystemSetThreadDpiContext() noexcept {
  static const TSetThreadDpiContext set = reinterpret_cast<TSetThreadDpiContext>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
  return set;
}

}  // namespace tarvell
