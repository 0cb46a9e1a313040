// Whether Tarvell has written its wallpaper file since a moment: what the benchmarks wait for
// from outside the program.
#pragma once

#include <windows.h>

#include <string>

namespace tarvell::bench {

inline FILETIME LastWrite(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return FILETIME{};
  return data.ftLastWriteTime;
}

// Written after `since`, of `size` bytes when a size is given (0: any), and complete: nobody
// holds it open for writing any more.
inline bool WallpaperWritten(const std::string& path, const FILETIME& since, ULONGLONG size = 0) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (CompareFileTime(&data.ftLastWriteTime, &since) <= 0) return false;
  if (size != 0 && (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) != size) return false;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace tarvell::bench
