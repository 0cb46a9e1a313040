// What this process costs the system, counted from inside it: private bytes, GDI objects,
// USER objects and kernel handles.
//
// Windows reports the three counts itself (GetGuiResources, GetProcessHandleCount). Wine
// answers 0 for all three, so where a system figure is 0 the count is made here:
// - GDI objects: the live entries of the process's GDI handle table, stock objects included
//   (Wine keeps them, and the few it creates lazily on first use, in that same table).
// - USER objects: the process's windows (top-level, child and message-only), menus, icons
//   and cursors. Not counted: hooks and pending DeferWindowPos structures (nothing answers
//   for them from user mode), and accelerator tables (asking about every entry makes Wine
//   print a complaint per free one; the program makes none).
// - Kernel handles: the handle values that GetHandleInformation accepts.
// Only the change between two counts is meant to be compared, never a count with Windows'.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarvell {

struct TFootprintCounts {
  std::uint64_t PrivateBytes = 0;
  DWORD GdiObjects = 0;
  DWORD UserObjects = 0;
  DWORD Handles = 0;
};

std::uint64_t CountPrivateBytes() noexcept;
DWORD CountGdiObjects() noexcept;
// Windows of the process other than `except` count too (the prober leaves its own out).
DWORD CountUserObjects(HWND except = nullptr) noexcept;
DWORD CountHandles() noexcept;

TFootprintCounts CountFootprint(HWND except = nullptr) noexcept;

}  // namespace tarvell
