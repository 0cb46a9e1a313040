// The screen as the wallpaper covers it, in physical pixels: the virtual screen and each
// monitor's rectangle. The program's windows are DPI-unaware, and an unaware program is told
// sizes divided by the scale (a 3840 x 2160 screen at 200 % reads as 1920 x 1080), which would
// decode the wallpaper at half the size the desktop shows it. So the monitors are read inside a
// per-monitor-aware thread context, which is told the true pixels.
#pragma once

#include <windows.h>

#include "gui/DpiAwareness.h"

#include <vector>

namespace tarvell {

struct TMonitorLayout {
  RECT VirtualScreen{};        // the union of all monitors
  std::vector<RECT> Monitors;  // in the order the system lists them
};

// The system calls the reading needs; a test puts in its own.
struct TMonitorApi {
  // SetThreadDpiAwarenessContext; null where the system lacks it (before Windows 10 1607).
  TSetThreadDpiContext SetThreadDpiAwarenessContext = nullptr;
  decltype(&::EnumDisplayMonitors) EnumDisplayMonitors = nullptr;
  decltype(&::GetMonitorInfoW) GetMonitorInfoW = nullptr;
  decltype(&::GetSystemMetrics) GetSystemMetrics = nullptr;
  // Each monitor's display mode, in true pixels whatever the thread's awareness: where the
  // system has no per-thread awareness, the monitors are placed by it.
  decltype(&::EnumDisplaySettingsW) EnumDisplaySettingsW = nullptr;
};

// The system's own functions.
const TMonitorApi& SystemMonitorApi();

// Reads the monitors in physical pixels, the thread's DPI awareness restored after. Where the
// system has no per-thread awareness (Windows 7 and 8) each monitor is its display mode's
// position and size, or as the process is told when that cannot be read.
// With no monitor listed, the virtual screen comes from the system metrics.
TMonitorLayout ReadMonitorLayout(const TMonitorApi& api = SystemMonitorApi());

}  // namespace tarvell
