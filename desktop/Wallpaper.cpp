#include "desktop/Wallpaper.h"

#include "desktop/FileReplace.h"
#include "picture/DecodeError.h"
#include "picture/Picture.h"
#include "base/WideText.h"

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

// Where the desktop belongs to another process (Wine's explorer), it repaints its new wallpaper
// when its own thread gets to it, and that paint covers our windows; our repaint must come
// after it. The change reaches that thread as a sent notification, handled before our sent
// message: when the message returns (bounded), the desktop has taken the change in and painted.
// No WaitForInputIdle: under Wine each call leaves the caller a new handle to the desktop
// process's idle event, one more handle for every change.
void WaitForTheDesktopsRepaint() noexcept {
  HWND desktop = ::GetDesktopWindow();
  DWORD owner = 0;
  ::GetWindowThreadProcessId(desktop, &owner);
  if (owner == 0 || owner == ::GetCurrentProcessId()) return;
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(desktop, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 500, &ignored);
}

}  // namespace

void SetDesktopWallpaper(const std::string& path) {
  // Not written to the user's profile and not broadcast: the program sets it on every change.
  std::wstring wide = Widen(path);
  ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, wide.data(), 0);
  WaitForTheDesktopsRepaint();
  // Done here, where every apply and clear passes, rather than in each command. On Windows
  // the shell already repaints correctly; one request per window costs next to nothing.
  ::EnumWindows(&RepaintIfOwnAndVisible, static_cast<LPARAM>(::GetCurrentProcessId()));
}

bool DesktopShowsWallpaper(const std::string& path) {
  std::wstring shown(MAX_PATH + 1, L'\0');
  if (!::SystemParametersInfoW(SPI_GETDESKWALLPAPER, static_cast<UINT>(shown.size()), shown.data(), 0)) return true;
  shown.resize(::lstrlenW(shown.c_str()));
  const std::wstring ours = Widen(path);
  return ::CompareStringOrdinal(shown.c_str(), static_cast<int>(shown.size()), ours.c_str(), static_cast<int>(ours.size()),
                                TRUE) == CSTR_EQUAL;
}

void WriteWallpaperFile(const TPicture& picture, const std::string& path) {
  if (picture.Empty()) return;
  WriteWallpaperBytes(picture.BmpImage(), path);
}

void WriteWallpaperBytes(const TByteBuffer& bmp, const std::string& path) {
  if (bmp.empty()) return;
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
