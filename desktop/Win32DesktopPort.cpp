#include "desktop/Win32DesktopPort.h"

#include "base/WideText.h"
#include "desktop/MonitorLayout.h"
#include "desktop/MonitorPictures.h"
#include "desktop/RecycleBin.h"
#include "desktop/Wallpaper.h"
#include "desktop/WallpaperStyle.h"
#include "picture/DecodeError.h"

#include <windows.h>

#include <shellapi.h>

#include <exception>
#include <new>
#include <stdexcept>
#include <utility>

namespace tarvell {

namespace {

bool SameFit(const TWallpaperFit& a, const TWallpaperFit& b) noexcept {
  return a.Style == b.Style && a.ScreenWidth == b.ScreenWidth && a.ScreenHeight == b.ScreenHeight &&
         a.Background.Red == b.Background.Red && a.Background.Green == b.Background.Green &&
         a.Background.Blue == b.Background.Blue;
}

// How a picture's read or decode failed, told by what it threw; anything else goes on up.
TLoadResult LoadFailure(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
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
}

}  // namespace

// The decode the worker thread made last, for it to apply: the window's thread may let go of
// the kept one meanwhile, and a thread left behind by a stalled read has its own.
thread_local std::shared_ptr<const TWin32DesktopPort::TKept> TWin32DesktopPort::FLastLoad;

TWin32DesktopPort::TWin32DesktopPort(const TProgramFolders& folders, std::function<bool()> fullScreenBusy)
    : FFolders(folders), FFullScreenBusy(std::move(fullScreenBusy)) {}

TSize TWin32DesktopPort::DesktopSize() {
  // The same reading the decode's wallpaper fit makes.
  const RECT screen = ReadMonitorLayout().VirtualScreen;
  return TSize{screen.right - screen.left, screen.bottom - screen.top};
}

int TWin32DesktopPort::MonitorCount() {
  const auto count = ReadMonitorLayout().Monitors.size();
  return count > 0 ? static_cast<int>(count) : 1;
}

std::string TWin32DesktopPort::DisplayShape() {
  std::string shape;
  for (const RECT& m : ReadMonitorLayout().Monitors)
    shape += std::to_string(m.left) + "," + std::to_string(m.top) + "," + std::to_string(m.right) + "," +
             std::to_string(m.bottom) + ";";
  const TWallpaperFit fit = ReadWallpaperFit();
  return shape + std::to_string(static_cast<int>(fit.Style)) + ";" + std::to_string(fit.Background.Red) + "," +
         std::to_string(fit.Background.Green) + "," + std::to_string(fit.Background.Blue);
}

bool TWin32DesktopPort::ShowsOurWallpaper() { return DesktopShowsWallpaper(FFolders.WallpaperPath); }

bool TWin32DesktopPort::FullScreenBusy() { return FFullScreenBusy && FFullScreenBusy(); }

TLoadResult TWin32DesktopPort::LoadPicture(const std::string& path) {
  try {
    // The desktop's style and size are read at each change, so a change of either counts
    // from the next picture on: a picture the desktop scales down is decoded only as large
    // as the screen needs.
    const TWallpaperFit fit = FStyles.FitInForce();
    {
      // The picture the preview holds, applied: no second read and decode.
      std::lock_guard<std::mutex> lock(FMutex);
      if (FKept && FKept->Path == path && SameFit(FKept->Fit, fit)) {
        FLastLoad = FKept;
        return TLoadResult::Shown;
      }
    }
    auto kept = std::make_shared<TKept>();
    kept->Path = path;
    kept->Fit = fit;
    // A wallpaper in full colour; the other options keep their defaults (integer DCT,
    // Floyd-Steinberg dither where colours are reduced, smoothing on).
    kept->Decode.SetNumOfColors(TNumOfColors::TrueColor);
    kept->Decode.SetWallpaperFit(fit);
    kept->Decode.SetFileName(path);
    FLastLoad = kept;
    std::lock_guard<std::mutex> lock(FMutex);
    FKept = std::move(kept);
  } catch (...) {
    return LoadFailure(std::current_exception());
  }
  return TLoadResult::Shown;
}

void TWin32DesktopPort::ApplyLoadedPicture() {
  const std::shared_ptr<const TKept> kept = std::move(FLastLoad);
  if (!kept) throw std::runtime_error("No picture to apply");
  const std::string& wallpaper = FFolders.WallpaperPath;
  WriteWallpaperFile(kept->Decode.Picture(), wallpaper);
  // Pictures for each monitor set Span (or Tile) in the user's place: one picture is fitted
  // by the user's own style again.
  FStyles.PutBack();
  // The full path: a bare file name is not looked up in the Windows directory any more.
  SetDesktopWallpaper(wallpaper);
}

TLoadResult TWin32DesktopPort::ApplyPictures(const std::vector<std::string>& paths) {
  const std::exception_ptr failure = SetMonitorPictures(paths, SystemMonitorDesktop(FFolders.WallpaperPath), FStyles);
  return failure ? LoadFailure(failure) : TLoadResult::Shown;
}

void TWin32DesktopPort::ClearWallpaper() { SetDesktopWallpaper(""); }

std::optional<std::string> TWin32DesktopPort::SendToRecycleBin(const std::string& path) { return RecycleFile(path); }

bool TWin32DesktopPort::PictureExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void TWin32DesktopPort::OpenFile(const std::string& path) {
  // The shell takes plain paths best; one it would read as another file ("a.jpeg." as its
  // neighbour "a.jpeg") goes in the exact form, which opens that file or nothing.
  const std::wstring file = ShellReadsExactly(path) ? Widen(path) : WidePath(path);
  ::ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

TPicture TWin32DesktopPort::PictureCopy() const {
  std::shared_ptr<const TKept> kept;
  {
    std::lock_guard<std::mutex> lock(FMutex);
    kept = FKept;
  }
  return kept ? kept->Decode.Picture() : TPicture();
}

void TWin32DesktopPort::ReleasePicture() noexcept {
  std::lock_guard<std::mutex> lock(FMutex);
  FKept.reset();
}

}  // namespace tarvell
