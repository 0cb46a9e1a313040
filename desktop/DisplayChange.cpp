#include "desktop/DisplayChange.h"

namespace tarvell {

bool MayChangeWallpaperSize(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_DISPLAYCHANGE) return true;
  if (msg != WM_SETTINGCHANGE) return false;
  if (wp == SPI_SETDESKWALLPAPER) return true;
  // The program's windows are Unicode: the text is UTF-16, and may be absent.
  const auto* area = reinterpret_cast<const wchar_t*>(lp);
  return area && ::lstrcmpiW(area, L"Control Panel\\Desktop") == 0;
}

}  // namespace tarvell
