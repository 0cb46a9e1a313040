#include "desktop/WallpaperStyle.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/support/TestRegistry.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

const std::string Key = "Software\\TarvellTest\\WallpaperStyle";

TWallpaperFit Read() { return ReadWallpaperFit(HKEY_CURRENT_USER, Key.c_str()); }

void SetStyle(const char* style, const char* tile) {
  RegWriteString(HKEY_CURRENT_USER, Key, "WallpaperStyle", style);
  RegWriteString(HKEY_CURRENT_USER, Key, "TileWallpaper", tile);
}

// Each style the desktop writes, read as strings from the registry, with the virtual screen.
TEST(WallpaperStyle, ReadsTheStyleAndTheVirtualScreen) {
  const struct {
    const char* style;
    const char* tile;
    TWallpaperStyle expected;
  } cases[] = {{"10", "0", TWallpaperStyle::Fill},   {"6", "0", TWallpaperStyle::Fit},
               {"2", "0", TWallpaperStyle::Stretch}, {"22", "0", TWallpaperStyle::Span},
               {"0", "0", TWallpaperStyle::Center},  {"0", "1", TWallpaperStyle::Tile},
               {"10", "1", TWallpaperStyle::Tile},   {"5", "0", TWallpaperStyle::None}};
  for (const auto& c : cases) {
    SetStyle(c.style, c.tile);
    const TWallpaperFit fit = Read();
    EXPECT_EQ(fit.Style, c.expected) << c.style << "/" << c.tile;
    EXPECT_EQ(fit.ScreenWidth, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(fit.ScreenHeight, ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_GT(fit.ScreenWidth, 0);
    EXPECT_GT(fit.ScreenHeight, 0);
  }
}

// Missing values, a DWORD where a string belongs, a missing key: no style, so full size.
TEST(WallpaperStyle, MissingOrMistypedValuesGiveNoStyle) {
  SetStyle("10", "0");
  RegDeleteValue(HKEY_CURRENT_USER, Key, "TileWallpaper");
  EXPECT_EQ(Read().Style, TWallpaperStyle::Fill) << "TileWallpaper missing: not tiled";
  RegDeleteValue(HKEY_CURRENT_USER, Key, "WallpaperStyle");
  EXPECT_EQ(Read().Style, TWallpaperStyle::None);
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const DWORD ten = 10;
  ::RegSetValueExA(key, "WallpaperStyle", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ten), sizeof ten);
  ::RegCloseKey(key);
  EXPECT_EQ(Read().Style, TWallpaperStyle::None);
  EXPECT_EQ(ReadWallpaperFit(HKEY_CURRENT_USER, "Software\\TarvellTest\\NoSuchKey").Style, TWallpaperStyle::None);
}

// The program's reader looks at the desktop's own key.
TEST(WallpaperStyle, DefaultReaderUsesTheDesktopKey) {
  const std::optional<std::string> savedStyle = RegReadString(HKEY_CURRENT_USER, DesktopSettingsKey, "WallpaperStyle");
  const std::optional<std::string> savedTile = RegReadString(HKEY_CURRENT_USER, DesktopSettingsKey, "TileWallpaper");
  RegWriteString(HKEY_CURRENT_USER, DesktopSettingsKey, "WallpaperStyle", "6");
  RegWriteString(HKEY_CURRENT_USER, DesktopSettingsKey, "TileWallpaper", "0");
  EXPECT_EQ(ReadWallpaperFit().Style, TWallpaperStyle::Fit);
  RegWriteString(HKEY_CURRENT_USER, DesktopSettingsKey, "WallpaperStyle", "22");
  EXPECT_EQ(ReadWallpaperFit().Style, TWallpaperStyle::Span) << "read afresh each time";
  if (savedStyle)
    RegWriteString(HKEY_CURRENT_USER, DesktopSettingsKey, "WallpaperStyle", *savedStyle);
  else
    RegDeleteValue(HKEY_CURRENT_USER, DesktopSettingsKey, "WallpaperStyle");
  if (savedTile)
    RegWriteString(HKEY_CURRENT_USER, DesktopSettingsKey, "TileWallpaper", *savedTile);
  else
    RegDeleteValue(HKEY_CURRENT_USER, DesktopSettingsKey, "TileWallpaper");
}

// Transparent parts of a picture are composed over the desktop's colour, read at each change.
TEST(WallpaperStyle, CarriesTheDesktopColourAsItIsNow) {
  const int element = COLOR_DESKTOP;
  const COLORREF saved = ::GetSysColor(element);
  for (const COLORREF colour : {RGB(10, 200, 30), RGB(250, 0, 128)}) {
    ASSERT_TRUE(::SetSysColors(1, &element, &colour));
    const TRgbColour read = Read().Background;
    EXPECT_EQ((std::tuple{read.Red, read.Green, read.Blue}),
              (std::tuple{GetRValue(colour), GetGValue(colour), GetBValue(colour)}));
  }
  ::SetSysColors(1, &element, &saved);
}

// A bitmap of the whole virtual screen: Span from Windows 8 (6.2) on, Tile before, and what
// either writes reads back as that style.
TEST(WallpaperStyle, VirtualScreenBitmapIsSetWithSpanOrTileByVersion) {
  const struct {
    unsigned major, minor;
    TVirtualScreenMode mode;
    TWallpaperStyle reads;
  } cases[] = {{6, 1, TVirtualScreenMode::Tile, TWallpaperStyle::Tile},
               {6, 2, TVirtualScreenMode::Span, TWallpaperStyle::Span},
               {6, 3, TVirtualScreenMode::Span, TWallpaperStyle::Span},
               {10, 0, TVirtualScreenMode::Span, TWallpaperStyle::Span},
               {5, 9, TVirtualScreenMode::Tile, TWallpaperStyle::Tile}};
  for (const auto& c : cases) {
    SetStyle("6", "0");
    const TVirtualScreenMode mode = VirtualScreenModeFor(c.major, c.minor);
    EXPECT_EQ(mode, c.mode) << c.major << "." << c.minor;
    ASSERT_TRUE(WriteVirtualScreenStyle(mode, HKEY_CURRENT_USER, Key.c_str()));
    EXPECT_EQ(Read().Style, c.reads) << c.major << "." << c.minor;
  }
}

// The user's style is put back once a single picture follows pictures for each monitor.
TEST(WallpaperStyle, EveryStyleWrittenReadsBackAsItself) {
  for (const TWallpaperStyle style : {TWallpaperStyle::Center, TWallpaperStyle::Tile, TWallpaperStyle::Stretch,
                                      TWallpaperStyle::Fit, TWallpaperStyle::Fill, TWallpaperStyle::Span}) {
    SetStyle("22", "1");
    ASSERT_TRUE(WriteWallpaperStyle(style, HKEY_CURRENT_USER, Key.c_str()));
    EXPECT_EQ(Read().Style, style) << static_cast<int>(style);
  }
  // None (nothing set before) writes nothing.
  SetStyle("6", "0");
  EXPECT_TRUE(WriteWallpaperStyle(TWallpaperStyle::None, HKEY_CURRENT_USER, Key.c_str()));
  EXPECT_EQ(Read().Style, TWallpaperStyle::Fit);
}

}  // namespace
}  // namespace tarvell
