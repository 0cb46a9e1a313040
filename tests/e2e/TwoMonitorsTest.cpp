// Two real monitors, as an X server with two outputs shows them to Wine: with "Each monitor its
// own picture" one change composes a wallpaper of the whole desktop, each monitor's part with a
// picture of its own, set with Span. Wine's virtual desktop is one monitor, so this case runs
// only through tools/xorg-two-monitors.sh.
#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "tests/e2e/support/SolidPicture.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

const std::string DesktopKey = "Control Panel\\Desktop";

// The wallpaper file: its size, and the colour at a point (black outside it or when unread).
class TWallpaperFile {
public:
  TWallpaperFile() : bytes_(ReadWholeFile(TTarvellRun::WallpaperPath()).value_or("")) {
    info_ = tarvell::ReadBmpFileInfo(Span());
  }
  int Width() const { return info_ ? info_->Width : 0; }
  int Height() const { return info_ ? info_->Height : 0; }
  COLORREF At(int x, int y) const {
    if (!info_ || info_->BitsPerPixel != 24 || x < 0 || y < 0 || x >= Width() || y >= std::abs(Height())) return 0;
    const std::size_t row = static_cast<std::size_t>(info_->BottomUp() ? Height() - 1 - y : y);
    const std::uint8_t* p = Span().data() + tarvell::BmpFileHeaderSize + info_->PixelsAt + info_->Stride * row +
                            3u * static_cast<unsigned>(x);
    return RGB(p[2], p[1], p[0]);
  }

private:
  std::span<const std::uint8_t> Span() const {
    return {reinterpret_cast<const std::uint8_t*>(bytes_.data()), bytes_.size()};
  }
  std::string bytes_;
  std::optional<tarvell::TBmpInfo> info_;
};

std::string ColorText(COLORREF c) {
  return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

class TwoMonitors : public TTarvellCase {};

TEST_F(TwoMonitors, OneChangeGivesEachMonitorItsOwnPictureInOneSpannedWallpaper) {
  const char* server = std::getenv("TARVELL_TWO_MONITORS");
  if (server == nullptr) GTEST_SKIP() << "needs two monitors: tools/xorg-two-monitors.sh runs this case on them";
  if (std::string(server) != "1920x1080+1280x1024") GTEST_SKIP() << server;
  // The X server's two outputs, as Wine lists them: the primary, and one right of it that is
  // lower than the desktop, so the strip below it belongs to no monitor.
  ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  ASSERT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3200);
  ASSERT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 1080);

  // Wine 8 passes itself off as Windows 7, where the parts are tiled; users have Windows 10.
  tarvell::test::RegWriteString(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Tarvell.exe", "Version", "win10");
  // Fill: each picture covers its monitor wholly.
  tarvell::test::RegWriteString(HKEY_CURRENT_USER, DesktopKey, "WallpaperStyle", "10");
  tarvell::test::RegWriteString(HKEY_CURRENT_USER, DesktopKey, "TileWallpaper", "0");
  ASSERT_TRUE(AddRedAndGreenSlides());
  // No hot keys reach a program outside the virtual desktop: the change comes at start-up.
  ASSERT_TRUE(WriteSettings({.StartFolder = Slides, .Startup = true, .PerMonitor = true}));
  ASSERT_TRUE(run.Start());
  // The style is written after the file: once it is there, the file is whole.
  const auto style = [] { return tarvell::test::RegReadString(HKEY_CURRENT_USER, DesktopKey, "WallpaperStyle"); };
  ASSERT_TRUE(WaitUntil([&] { return style() != "10"; }, 60000)) << "no wallpaper was set";
  EXPECT_EQ(style(), "22");
  EXPECT_EQ(tarvell::test::RegReadString(HKEY_CURRENT_USER, DesktopKey, "TileWallpaper"), "0");

  const TWallpaperFile wallpaper;
  ASSERT_EQ(wallpaper.Width(), 3200);
  EXPECT_EQ(std::abs(wallpaper.Height()), 1080);
  // The change goes on after the saved current picture, a.jpg: the primary takes the next one,
  // b.jpg (green), and the other monitor the one after, a.jpg (red) again.
  const COLORREF primary = Green;
  const COLORREF second = Red;
  // Each part fills its monitor, corner to corner, and no more.
  const struct {
    int X, Y;
    COLORREF Expected;
  } corners[] = {{0, 0, primary},   {1919, 0, primary}, {0, 1079, primary},   {1919, 1079, primary},
                 {1920, 0, second}, {3199, 0, second},  {1920, 1023, second}, {3199, 1023, second}};
  for (const auto& c : corners)
    EXPECT_TRUE(ColorNear(wallpaper.At(c.X, c.Y), c.Expected, 8))
        << c.X << "," << c.Y << ": " << ColorText(wallpaper.At(c.X, c.Y));
  const COLORREF below = wallpaper.At(2560, 1060);
  EXPECT_FALSE(ColorNear(below, Red, 40) || ColorNear(below, Green, 40))
      << "below the second monitor: " << ColorText(below);
}

}  // namespace
