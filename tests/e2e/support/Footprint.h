// What a running process costs the system, read from outside it: private bytes, GDI and USER
// objects, kernel handles. Shared by the end-to-end tests and the footprint report.
#pragma once

#include <windows.h>

#include <psapi.h>

#include <cstdint>

namespace tarvell::e2e {

struct TFootprint {
  std::uint64_t PrivateBytes = 0;
  DWORD GdiObjects = 0;
  DWORD UserObjects = 0;
  DWORD Handles = 0;
};

inline TFootprint ReadFootprint(HANDLE process) {
  TFootprint f;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
    f.PrivateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  f.GdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  f.UserObjects = GetGuiResources(process, GR_USEROBJECTS);
  GetProcessHandleCount(process, &f.Handles);
  return f;
}

inline double Megabytes(std::uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace tarvell::e2e
