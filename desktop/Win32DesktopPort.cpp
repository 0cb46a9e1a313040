#include "desktop/Win32DesktopPort.h"

#include "base/WideText.h"
#include "desktop/MonitorLayout.h"
#include "desktop/MonitorPictures.h"
#include "desktop/RecycleBin.h"
#include "desktop/Wallpaper.h"
#include "desktop/WallpaperStyle.h"
#include "gui/WaitCursor.h"
#include "picture/DecodeError.h"

#include <windows.h>

#include <shellapi.h>

#include <new>
#include <stdexcept>
#include <utility>

namespace tarvell {

TWin32DesktopPort::TWin32DesktopPort(const TProgramFolders& folders, std::function<bool()> fullScreenBusy)
    : FFolders(folders), FFullScreenBusy(std::move(fullScreenBusy)) {
  // A wallpaper in full colour; the other options keep their defaults (integer DCT,
  // Floyd-Steinberg dither where colours are reduced, smoothing on).
  FDecode.SetNumOfColors(TNumOfColors::TrueColor);
}

TSize TWin32DesktopPort::DesktopSize() {
  // The same reading the decode's wallpaper fit makes.
  const RECT screen = ReadMonitorLayout().VirtualScreen;
  return TSize{screen.right - screen.left, screen.bottom - screen.top};
}

int TWin32DesktopPort::MonitorCount() {
  const auto count = ReadMonitorLayout().Monitors.size();
  return count > 0 ? static_cast<int>(count) : 1;
}

bool TWin32DesktopPort::ShowsOurWallpaper() { return DesktopShowsWallpaper(FFolders.WallpaperPath); }

bool TWin32DesktopPort::FullScreenBusy() { return FFullScreenBusy && FFullScreenBusy(); }

TLoadResult TWin32DesktopPort::LoadPicture(const std::string& path) {
  try {
    // The desktop's style and size are read at each change, so a change of either counts
    // from the next picture on: a picture the desktop scales down is decoded only as large
    // as the screen needs.
    FDecode.SetWallpaperFit(FStyles.FitInForce());
    FDecode.SetFileName(path);
  } catch (const EJPEGException& e) {
    return e.Kind() == TDecodeFailure::Unsupported ? TLoadResult::Unsupported : TLoadResult::Damaged;
  } catch (const EFOpenError&) {
    return TLoadResult::Unreadable;
  } catch (const EReadError&) {
    return TLoadResult::Unreadable;
  } catch (const std::bad_alloc&) {
    return TLoadResult::Unsupported;
  } catch (const std::length_error&) {
    return TLoadResult::Unsupported;
  } catch (const Exception&) {
    return TLoadResult::Damaged;
  }
  return TLoadResult::Shown;
}

void TWin32DesktopPort::ApplyLoadedPicture() {
  TWaitCursor busy;
  const std::string& wallpaper = FFolders.WallpaperPath;
  WriteWallpaperFile(FDecode.Picture(), wallpaper);
  // Pictures for each monitor set Span (or Tile) in the user's place: one picture is fitted
  // by the user's own style again.
  FStyles.PutBack();
  // The full path: a bare file name is not looked up in the Windows directory any more.
  SetDesktopWallpaper(wallpaper);
}

void TWin32DesktopPort::ApplyPictures(const std::vector<std::string>& paths) {
  TWaitCursor busy;
  SetMonitorPictures(paths, SystemMonitorDesktop(FFolders.WallpaperPath), FStyles);
}

void TWin32DesktopPort::ClearWallpaper() { SetDesktopWallpaper(""); }

std::optional<std::string> TWin32DesktopPort::SendToRecycleBin(const std::string& path) { return RecycleFile(path); }

void TWin32DesktopPort::OpenFile(const std::string& path) {
  // The shell takes plain paths best; one it would read as another file ("a.jpeg." as its
  // neighbour "a.jpeg") goes in the exact form, which opens that file or nothing.
  const std::wstring file = ShellReadsExactly(path) ? Widen(path) : WidePath(path);
  ::ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TWin32DesktopPort::ReleasePicture() noexcept {
  try {
    FDecode.SetFileName("");
  } catch (...) {
    // Emptying reads no file; nothing to report.
  }
}

}  // namespace tarvell
