#include "desktop/DisplayChange.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// The notices that may leave the wallpaper decoded for a smaller screen, and a few that may not
// (decoding a full-screen picture at each of those would be work for nothing).
TEST(DisplayChange, NoticesThatMayChangeTheWallpaperSize) {
  const wchar_t desktop[] = L"Control Panel\\Desktop";
  const wchar_t desktopLower[] = L"control panel\\desktop";
  const wchar_t policy[] = L"Policy";
  const wchar_t colours[] = L"Control Panel\\Colors";
  const struct {
    UINT msg;
    WPARAM wp;
    const wchar_t* text;
    bool expected;
  } cases[] = {
      {WM_DISPLAYCHANGE, 32, nullptr, true},
      {WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, nullptr, true},
      {WM_SETTINGCHANGE, 0, desktop, true},
      {WM_SETTINGCHANGE, 0, desktopLower, true},
      {WM_SETTINGCHANGE, SPI_SETWORKAREA, nullptr, false},
      {WM_SETTINGCHANGE, 0, policy, false},
      {WM_SETTINGCHANGE, 0, colours, false},
      {WM_SETTINGCHANGE, 0, nullptr, false},
      {WM_SYSCOLORCHANGE, 0, nullptr, false},
      {WM_DPICHANGED, 0, nullptr, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MayChangeWallpaperSize(c.msg, c.wp, reinterpret_cast<LPARAM>(c.text)), c.expected)
        << c.msg << " " << c.wp << " " << (c.text ? "text" : "no text");
  }
}

}  // namespace
}  // namespace tarvell
