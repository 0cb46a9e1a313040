#include "wallpaper/MonitorWallpaper.h"

#include "tests/support/PictureSamples.h"
#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace tarvell {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

std::string WriteSolidJpeg(const fs::path& folder, const char* name, int w, int h, std::uint8_t r, std::uint8_t g,
                           std::uint8_t b) {
  const Bytes jpeg = test::SolidJpeg(w, h, r, g, b);
  const fs::path path = folder / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), jpeg.size());
  return path.string();
}

// Each monitor is decoded from its own file; a file that fails leaves only its own monitor in
// the desktop colour, and a list shorter than the monitors starts again.
TEST(MonitorWallpaper, EachMonitorShowsItsOwnFileAndAFailureOnlyItsOwnPart) {
  const fs::path folder = fs::temp_directory_path() / ("tarvell-monitors-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string red = WriteSolidJpeg(folder, "red.jpg", 64, 48, 220, 10, 10);
  const std::string blue = WriteSolidJpeg(folder, "blue.jpg", 48, 64, 10, 10, 220);
  const std::string grey = (folder / "grey.jpg").string();  // one channel: 8-bit rows unless widened
  std::ofstream(grey, std::ios::binary) << test::AsText(
      test::MakeJpeg({.Components = 1, .Markers = {}, .Pixel = [](int, int, std::uint8_t* p) { *p = 128; }}));
  const std::string missing = (folder / "gone.jpg").string();
  const TRgbColour desk{1, 2, 3};
  const std::vector<TScreenRect> monitors = {{0, 0, 32, 24}, {-24, 0, 24, 32}, {32, 0, 16, 16}};
  struct Case {
    std::vector<std::string> Paths;
    int Expected[3];  // per monitor: 0 desktop, 1 red, 2 blue, 3 grey
  };
  const Case cases[] = {
      {{red, blue, missing}, {1, 2, 0}},
      {{blue, missing}, {2, 0, 2}},  // the third monitor repeats the first path
      {{blue}, {2, 2, 2}},
      {{grey, red}, {3, 1, 3}},
  };
  for (const auto& c : cases) {
    const TByteBuffer bmp = ComposeMonitorWallpaper(c.Paths, monitors, TWallpaperStyle::Fill, desk).Bmp;
    const auto info = ReadBmpFileInfo(std::span<const std::uint8_t>(bmp.data(), bmp.size()));
    ASSERT_TRUE(info);
    ASSERT_EQ(info->Width, 72);
    ASSERT_EQ(info->Height, 32);
    for (std::size_t i = 0; i < monitors.size(); ++i) {
      // The monitor's middle pixel, bottom-up, blue-green-red.
      const int x = monitors[i].Left + monitors[i].Width / 2 + 24, y = monitors[i].Top + monitors[i].Height / 2;
      const std::uint8_t* p = bmp.data() + BmpFileHeaderSize + info->PixelsAt + (31 - y) * info->Stride + 3 * x;
      const int b = p[0], r = p[2];
      switch (c.Expected[i]) {
        case 0:
          EXPECT_TRUE(p[0] == 3 && p[1] == 2 && p[2] == 1) << "monitor " << i;
          break;
        case 1:
          EXPECT_TRUE(r > 200 && b < 30) << "monitor " << i << " " << r << "," << b;
          break;
        case 3:
          EXPECT_TRUE(std::abs(r - 128) < 8 && p[1] == r && b == r) << "monitor " << i << " " << r << "," << b;
          break;
        default:
          EXPECT_TRUE(b > 200 && r < 30) << "monitor " << i << " " << r << "," << b;
      }
    }
  }
  // The primary's picture is the current one: without it there is no wallpaper, and why is said.
  const TMonitorWallpaper none = ComposeMonitorWallpaper({missing, blue}, monitors, TWallpaperStyle::Fill, desk);
  EXPECT_TRUE(none.PrimaryFailure && none.Bmp.empty());
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tarvell
