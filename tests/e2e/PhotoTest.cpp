// Photos as cameras write them: turned by their EXIF orientation, and decoded only as large
// as the desktop's wallpaper style needs. The wallpaper file Tarvell.exe writes is checked
// against a reference this test computes itself.
#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "tests/support/PictureSamples.h"
#include "tests/e2e/support/TarvellCase.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

const std::string Photos = "C:\\Photos";

struct TBmp {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels;  // top-down rows of 3 bytes a pixel, no padding
};

// The pixels of a 24-bit bottom-up BMP file image.
TBmp ReadBmp(const std::string& b) {
  TBmp bmp;
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
  const std::optional<tarvell::TBmpInfo> info = tarvell::ReadBmpFileInfo(bytes);
  if (!info || info->BitsPerPixel != 24 || !info->BottomUp()) return bmp;
  bmp.Width = info->Width;
  bmp.Height = info->Height;
  const std::size_t offset = tarvell::BmpFileHeaderSize + info->PixelsAt;
  for (int y = 0; y < bmp.Height; ++y) {
    const std::size_t row = offset + info->Stride * static_cast<std::size_t>(bmp.Height - 1 - y);
    bmp.Pixels.insert(bmp.Pixels.end(), bytes.begin() + static_cast<std::ptrdiff_t>(row),
                      bytes.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(bmp.Width) * 3));
  }
  return bmp;
}

// Orientation 6: the stored picture is turned a quarter clockwise to stand upright.
TBmp TurnClockwise(const TBmp& in) {
  TBmp out{in.Height, in.Width, std::vector<std::uint8_t>(in.Pixels.size())};
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x)
      for (int c = 0; c < 3; ++c)
        out.Pixels[(static_cast<std::size_t>(y) * out.Width + x) * 3 + c] =
            in.Pixels[(static_cast<std::size_t>(in.Height - 1 - x) * in.Width + y) * 3 + c];
  return out;
}

std::string MakePhoto(int width, int height, int orientation) {
  tarvell::test::TJpegSample sample;
  sample.Width = width;
  sample.Height = height;
  if (orientation != 0) sample.Markers.push_back({0xE1, tarvell::test::OrientationExif(orientation)});
  const tarvell::test::Bytes bytes = tarvell::test::MakeJpeg(sample);
  return std::string(bytes.begin(), bytes.end());
}

class Photo : public TTarvellCase {
protected:
  void SetUp() override {
    TTarvellCase::SetUp();
    CreateDirectoryA(Photos.c_str(), nullptr);
  }

  static void SetStyle(const char* style) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", REG_SZ, style,
                              static_cast<DWORD>(std::strlen(style) + 1)),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "TileWallpaper", REG_SZ, "0", 2),
              ERROR_SUCCESS);
  }

  // Starts with "Change on startup" over the folder, so the first picture becomes the
  // wallpaper; returns the wallpaper file's bytes once it is there.
  std::string StartAndTakeWallpaper() {
    EXPECT_TRUE(WriteSettings({.StartFolder = Photos, .Transparent = false, .Startup = true}));
    EXPECT_TRUE(run.Start());
    EXPECT_NE(run.WaitTrayWindow(60000), nullptr);
    std::string bytes;
    WaitUntil([&] { return !(bytes = ReadWholeFile(TTarvellRun::WallpaperPath()).value_or("")).empty(); }, 30000);
    return bytes;
  }
};

TEST_F(Photo, AnUprightPortraitShotStandsUprightOnTheDesktop) {
  SetStyle("0");
  const std::string stored = Photos + "\\stored.jpg";
  ASSERT_TRUE(WriteWholeFile(stored, MakePhoto(64, 40, 0)));
  const TBmp reference = TurnClockwise(ReadBmp(DecodedBmp(stored)));
  DeleteFileA(stored.c_str());
  ASSERT_TRUE(WriteWholeFile(Photos + "\\portrait.jpg", MakePhoto(64, 40, 6)));

  const TBmp wallpaper = ReadBmp(StartAndTakeWallpaper());
  EXPECT_EQ(wallpaper.Width, 40);
  EXPECT_EQ(wallpaper.Height, 64);
  EXPECT_TRUE(wallpaper.Pixels == reference.Pixels) << "not the stored picture turned a quarter clockwise";
}

TEST_F(Photo, UnderFillALargePhotoIsDecodedOnlyAsLargeAsTheScreenNeeds) {
  SetStyle("10");
  ASSERT_TRUE(WriteWholeFile(Photos + "\\large.jpg", MakePhoto(4000, 3000, 0)));
  const TBmp wallpaper = ReadBmp(StartAndTakeWallpaper());
  // The 1024 x 768 desktop is still covered without enlarging: 3/8 of the picture.
  EXPECT_EQ(wallpaper.Width, 1500);
  EXPECT_EQ(wallpaper.Height, 1125);
  EXPECT_GE(wallpaper.Width, GetSystemMetrics(SM_CXVIRTUALSCREEN));
  EXPECT_GE(wallpaper.Height, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TEST_F(Photo, UnderCenterThePhotoIsAppliedAtFullSizeAsBefore) {
  SetStyle("0");
  const std::string path = Photos + "\\large.jpg";
  ASSERT_TRUE(WriteWholeFile(path, MakePhoto(2000, 1500, 0)));
  const std::string bytes = StartAndTakeWallpaper();
  EXPECT_EQ(ReadBmp(bytes).Width, 2000);
  EXPECT_TRUE(bytes == DecodedBmp(path)) << "the full-size bitmap differs from the plain decode";
}

}  // namespace
