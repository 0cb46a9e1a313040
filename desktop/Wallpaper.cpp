#include "desktop/Wallpaper.h"

#include "desktop/FileReplace.h"
#include "jpeg/Exception.h"
#include "jpeg/Picture.h"

#include <windows.h>

namespace tarvell {

namespace {

BOOL CALLBACK RepaintIfOwnAndVisible(HWND wnd, LPARAM process) noexcept {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(wnd, &owner);
  if (owner == static_cast<DWORD>(process) && ::IsWindowVisible(wnd))
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  return TRUE;
}

}  // namespace

void SetDesktopWallpaper(const std::string& path) {
  // Not written to the user's profile and not broadcast: the program sets it on every change.
  ::SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()), 0);
  // Done here, where every apply and clear passes, rather than in each command. On Windows
  // the shell already repaints correctly; one request per window costs next to nothing.
  ::EnumWindows(&RepaintIfOwnAndVisible, static_cast<LPARAM>(::GetCurrentProcessId()));
}

void WriteWallpaperFile(const TPicture& picture, const std::string& path) {
  if (picture.Empty()) return;
  const auto& bmp = picture.BmpImage();
  switch (ReplaceFileContents(path, bmp.data(), bmp.size())) {
    case TReplaceResult::Replaced:
      return;
    case TReplaceResult::NotWritten:
      throw EWriteError("Stream write error");
    case TReplaceResult::NotCreated:
    case TReplaceResult::NotMoved:
      break;
  }
  throw EFCreateError("Cannot create file " + path);
}

}  // namespace tarvell
