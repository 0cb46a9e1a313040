#include "app/FootprintCounts.h"

#include <psapi.h>

namespace tarvell {

namespace {

// Wine takes a handle whose high word is 0 as the table entry its low word names, whatever
// that entry's reuse count: probing every low word finds every live object of the table.
constexpr ULONG_PTR GdiTableSize = 0x10000;
// USER handles: low words from 0x20 to 0xFFEF, even ones only.
constexpr ULONG_PTR FirstUserHandle = 0x20;
constexpr ULONG_PTR LastUserHandle = 0xFFEF;
// Kernel handles are multiples of 4, given out from the lowest free slot. Slots are probed
// in blocks: all of the first MinHandleSlots, then up to the first empty block after them.
constexpr ULONG_PTR HandleBlock = 4096;
constexpr ULONG_PTR MinHandleSlots = 4 * HandleBlock;
constexpr ULONG_PTR MaxHandleSlots = ULONG_PTR{1} << 24;

template <class T>
T AsHandle(ULONG_PTR value) noexcept {
  return reinterpret_cast<T>(value);
}

struct TWindowTally {
  DWORD Process;
  HWND Except;
  DWORD Count;
};

BOOL CALLBACK TallyChild(HWND wnd, LPARAM param) {
  auto& tally = *reinterpret_cast<TWindowTally*>(param);
  DWORD process = 0;
  ::GetWindowThreadProcessId(wnd, &process);
  if (process == tally.Process && wnd != tally.Except) ++tally.Count;
  return TRUE;
}

// A top-level window of the process counts with all the windows inside it.
BOOL CALLBACK TallyTop(HWND wnd, LPARAM param) {
  auto& tally = *reinterpret_cast<TWindowTally*>(param);
  DWORD process = 0;
  ::GetWindowThreadProcessId(wnd, &process);
  if (process != tally.Process) return TRUE;
  if (wnd != tally.Except) ++tally.Count;
  ::EnumChildWindows(wnd, &TallyChild, param);
  return TRUE;
}

DWORD CountWindows(HWND except) noexcept {
  TWindowTally tally{::GetCurrentProcessId(), except, 0};
  ::EnumWindows(&TallyTop, reinterpret_cast<LPARAM>(&tally));
  // Message-only windows are in no list of EnumWindows.
  for (HWND wnd = nullptr; (wnd = ::FindWindowExW(HWND_MESSAGE, wnd, nullptr, nullptr)) != nullptr;)
    TallyTop(wnd, reinterpret_cast<LPARAM>(&tally));
  return tally.Count;
}

bool IsIcon(HICON icon) noexcept {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return false;
  // The bitmaps are copies made for the caller.
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  return true;
}

// Menus, icons and cursors: they live in the process's own part of the USER handle table, so
// a handle another process made never answers here. (Accelerator tables live there too, but
// Wine complains on stderr for every free entry asked about; the program makes none.)
DWORD CountUserTableObjects() noexcept {
  DWORD n = 0;
  for (ULONG_PTR value = FirstUserHandle; value <= LastUserHandle; value += 2) {
    if (::IsMenu(AsHandle<HMENU>(value)) || IsIcon(AsHandle<HICON>(value))) ++n;
  }
  return n;
}

}  // namespace

std::uint64_t CountPrivateBytes() noexcept {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
    return 0;
  return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

DWORD CountGdiObjects() noexcept {
  if (DWORD system = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return system;
  DWORD n = 0;
  for (ULONG_PTR index = 1; index < GdiTableSize; ++index)
    if (::GetObjectType(AsHandle<HGDIOBJ>(index))) ++n;
  return n;
}

DWORD CountUserObjects(HWND except) noexcept {
  if (DWORD system = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS))
    return except && ::IsWindow(except) ? system - 1 : system;
  return CountWindows(except) + CountUserTableObjects();
}

DWORD CountHandles() noexcept {
  DWORD system = 0;
  if (::GetProcessHandleCount(::GetCurrentProcess(), &system) && system) return system;
  DWORD n = 0;
  for (ULONG_PTR slot = 1; slot < MaxHandleSlots;) {
    const ULONG_PTR start = slot;
    bool found = false;
    for (const ULONG_PTR end = start + HandleBlock; slot < end; ++slot) {
      DWORD flags = 0;
      if (::GetHandleInformation(AsHandle<HANDLE>(slot * 4), &flags)) {
        ++n;
        found = true;
      }
    }
    if (!found && start > MinHandleSlots) break;
  }
  return n;
}

TFootprintCounts CountFootprint(HWND except) noexcept {
  TFootprintCounts counts;
  counts.PrivateBytes = CountPrivateBytes();
  counts.GdiObjects = CountGdiObjects();
  counts.UserObjects = CountUserObjects(except);
  counts.Handles = CountHandles();
  return counts;
}

}  // namespace tarvell
