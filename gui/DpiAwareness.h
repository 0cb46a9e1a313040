// The program's windows are DPI-unaware (the system scales them), so the system tells them
// sizes divided by the screen's scale. What must be true pixels (the screen the wallpaper
// covers, the icons' sizes) is read inside a per-monitor-aware thread context.
#pragma once

#include <windows.h>

namespace tarvell {

// SetThreadDpiAwarenessContext's type: the headers for older systems lack it.
using TSetThreadDpiContext = HANDLE(WINAPI*)(HANDLE);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, and the first version, which is all Windows 10
// before 1703 knows; either is told true pixels.
inline const HANDLE PerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
inline const HANDLE PerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

// The system's SetThreadDpiAwarenessContext; null before Windows 10 1607.
inline TSetThreadDpiContext SystemSetThreadDpiContext() noexcept {
  static const auto set = reinterpret_cast<TSetThreadDpiContext>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
  return set;
}

// The calling thread per-monitor aware while it lives (older systems: unchanged).
class TPerMonitorAwareScope {
public:
  explicit TPerMonitorAwareScope(TSetThreadDpiContext set = SystemSetThreadDpiContext()) noexcept
      : FSet(set), FPrevious(set ? set(PerMonitorAwareV2) : nullptr) {
    if (set && !FPrevious) FPrevious = set(PerMonitorAware);
  }
  ~TPerMonitorAwareScope() {
    if (FPrevious) FSet(FPrevious);
  }
  TPerMonitorAwareScope(const TPerMonitorAwareScope&) = delete;
  TPerMonitorAwareScope& operator=(const TPerMonitorAwareScope&) = delete;

private:
  TSetThreadDpiContext FSet;
  HANDLE FPrevious;  // null when the call failed or does not exist: nothing to restore
};

}  // namespace tarvell
