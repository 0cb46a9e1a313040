#include "desktop/MonitorPictures.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

const std::string Key = "Software\\TarvellTest\\MonitorPictures";

struct TRgb {
  int R, G, B;
};
constexpr TRgb Red{220, 30, 30}, Green{30, 160, 60};

std::string SolidPicture(TRgb c) {
  return AsText(SolidJpeg(48, 32, static_cast<std::uint8_t>(c.R), static_cast<std::uint8_t>(c.G),
                          static_cast<std::uint8_t>(c.B)));
}

// The user's desktop: a picture for each monitor, the wallpaper setter recording its calls.
struct TDesktopRun {
  TTempFolder Folder;
  std::vector<std::string> Paths;
  std::vector<std::string> Set;
  TMonitorDesktop Desktop;
  TStyleKeeper Styles;

  TDesktopRun(std::vector<RECT> monitors, TVirtualScreenMode mode) : Styles(HKEY_CURRENT_USER, Key) {
    Paths = {Folder.File("red.jpg"), Folder.File("green.jpg")};
    WriteTextFile(Paths[0], SolidPicture(Red));
    WriteTextFile(Paths[1], SolidPicture(Green));
    Desktop.Layout.Monitors = std::move(monitors);
    Desktop.Mode = mode;
    Desktop.WallpaperPath = Folder.File("wallpaper.bmp");
    Desktop.SetWallpaper = [this](const std::string& path) { Set.push_back(path); };
  }
};

void SetUserStyle(const char* style, const char* tile) {
  RegWriteString(HKEY_CURRENT_USER, Key, "WallpaperStyle", style);
  RegWriteString(HKEY_CURRENT_USER, Key, "TileWallpaper", tile);
}

// The colour at x, y of the bitmap file, counted from its top-left corner.
void ExpectPixel(const std::string& bmp, int x, int y, TRgb expected, const char* what) {
  const auto info = ReadBmpFileInfo(std::span(reinterpret_cast<const std::uint8_t*>(bmp.data()), bmp.size()));
  ASSERT_TRUE(info && info->BottomUp() && info->BitsPerPixel == 24) << what;
  ASSERT_TRUE(x < info->Width && y < info->Height) << what;
  const auto* p = reinterpret_cast<const std::uint8_t*>(bmp.data()) + BmpFileHeaderSize + info->PixelsAt +
                  (info->Height - 1 - y) * info->Stride + x * 3;
  // A solid JPEG decodes within a few steps of its colour.
  EXPECT_TRUE(std::abs(p[2] - expected.R) <= 8 && std::abs(p[1] - expected.G) <= 8 && std::abs(p[0] - expected.B) <= 8)
      << what << " at " << x << ',' << y << ": " << int(p[2]) << ',' << int(p[1]) << ',' << int(p[0]);
}

// The primary (corner 0, 0) takes the first picture wherever the system lists it; Span keeps
// each part at its virtual-screen position, Tile puts it where tiling from the primary's
// corner shows it (a negative coordinate wraps to the far side).
TEST(MonitorPictures, SetsSpanOrTileWithEachPartWhereTheDesktopShowsIt) {
  const RECT leftOfPrimary{-40, 0, 0, 30}, primaryWide{0, 0, 60, 30};
  const RECT abovePrimary{0, -20, 40, 0}, primary{0, 0, 40, 30};
  struct Spot {
    int X, Y;
    TRgb Colour;
  };
  const struct {
    const char* what;
    std::vector<RECT> monitors;  // in the order the system lists them
    TVirtualScreenMode mode;
    const char *style, *tile;
    std::vector<Spot> spots;  // bitmap points, from its top-left corner
  } cases[] = {
      {"side by side, span",
       {leftOfPrimary, primaryWide},
       TVirtualScreenMode::Span,
       "22",
       "0",
       {{20, 15, Green}, {39, 15, Green}, {40, 15, Red}, {99, 29, Red}}},
      {"side by side, tile",
       {leftOfPrimary, primaryWide},
       TVirtualScreenMode::Tile,
       "0",
       "1",
       {{0, 15, Red}, {59, 15, Red}, {60, 15, Green}, {99, 0, Green}}},
      {"stacked, span",
       {abovePrimary, primary},
       TVirtualScreenMode::Span,
       "22",
       "0",
       {{20, 0, Green}, {20, 19, Green}, {20, 20, Red}, {39, 49, Red}}},
      {"stacked, tile",
       {abovePrimary, primary},
       TVirtualScreenMode::Tile,
       "0",
       "1",
       {{20, 0, Red}, {20, 29, Red}, {20, 30, Green}, {39, 49, Green}}},
  };
  for (const auto& c : cases) {
    TDesktopRun run(c.monitors, c.mode);
    SetUserStyle("10", "0");  // Fill
    SetMonitorPictures(run.Paths, run.Desktop, run.Styles);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, Key, "WallpaperStyle"), c.style) << c.what;
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, Key, "TileWallpaper"), c.tile) << c.what;
    EXPECT_EQ(run.Set, std::vector<std::string>{run.Desktop.WallpaperPath}) << c.what;
    const auto bmp = ReadTextFile(run.Desktop.WallpaperPath);
    ASSERT_TRUE(bmp) << c.what;
    for (const auto& s : c.spots) ExpectPixel(*bmp, s.X, s.Y, s.Colour, c.what);
  }
}

// No monitor listed while the display changes: the virtual screen is the one monitor, rather
// than a failure to compose.
TEST(MonitorPictures, NoMonitorListedComposesTheVirtualScreen) {
  TDesktopRun run({}, TVirtualScreenMode::Span);
  run.Desktop.Layout.VirtualScreen = {0, 0, 30, 20};
  SetMonitorPictures(run.Paths, run.Desktop, run.Styles);
  const auto bmp = ReadTextFile(run.Desktop.WallpaperPath);
  ASSERT_TRUE(bmp);
  ExpectPixel(*bmp, 29, 19, Red, "the virtual screen");
}

// Regression: a key without WallpaperStyle (or TileWallpaper) left nothing remembered, so Span
// stayed for good; the single picture now deletes what was not there.
TEST(MonitorPictures, PutsBackTheUserValuesAMissingOneByDeletingIt) {
  using TValue = std::optional<std::string>;
  const struct {
    TValue Style, Tile;
  } cases[] = {{std::nullopt, std::nullopt}, {std::nullopt, "1"}, {"10", std::nullopt}, {"2", "1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Style.value_or("-") + "," + c.Tile.value_or("-"));
    RegCreate(HKEY_CURRENT_USER, Key);
    RegDeleteValue(HKEY_CURRENT_USER, Key, "WallpaperStyle");
    RegDeleteValue(HKEY_CURRENT_USER, Key, "TileWallpaper");
    if (c.Style) RegWriteString(HKEY_CURRENT_USER, Key, "WallpaperStyle", *c.Style);
    if (c.Tile) RegWriteString(HKEY_CURRENT_USER, Key, "TileWallpaper", *c.Tile);
    TDesktopRun run({{0, 0, 40, 30}, {40, 0, 80, 30}}, TVirtualScreenMode::Span);
    SetMonitorPictures(run.Paths, run.Desktop, run.Styles);
    SetMonitorPictures(run.Paths, run.Desktop, run.Styles);  // the key holds ours now
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, Key, "WallpaperStyle"), "22");
    ASSERT_EQ(run.Styles.Kept(), (TStyleValues{c.Style, c.Tile}));
    EXPECT_TRUE(run.Styles.PutBack());
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, Key, "WallpaperStyle"), c.Style);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, Key, "TileWallpaper"), c.Tile);
  }
}

}  // namespace
}  // namespace tarvell
