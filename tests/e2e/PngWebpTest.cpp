// PNG and WebP pictures beside a JPEG in one folder: Ctrl+Z applies each in turn, and each
// wallpaper file is byte for byte the bitmap this process decodes from the same file, the
// PNG's transparency composed over the desktop's own background colour.
#include "tests/e2e/support/Driver.h"
#include "tests/e2e/support/TarvellCase.h"

#include <spng.h>
#include <webp/encode.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace tarvell::e2e;

namespace {

// A gradient whose alpha runs from clear at the left to opaque at the right.
std::vector<std::uint8_t> Rgba(int width, int height) {
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      rgba.insert(rgba.end(), {std::uint8_t(x * 255 / width), std::uint8_t(y * 255 / height), std::uint8_t(x ^ y),
                               std::uint8_t(x * 255 / (width - 1))});
  return rgba;
}

std::string EncodePng(int width, int height) {
  std::vector<std::uint8_t> rgba = Rgba(width, height);
  spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
  spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr ihdr{std::uint32_t(width), std::uint32_t(height), 8, SPNG_COLOR_TYPE_TRUECOLOR_ALPHA, 0, 0, 0};
  spng_set_ihdr(ctx, &ihdr);
  std::string png;
  if (spng_encode_image(ctx, rgba.data(), rgba.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE) == 0) {
    std::size_t size = 0;
    int error = 0;
    void* bytes = spng_get_png_buffer(ctx, &size, &error);
    if (bytes != nullptr) png.assign(static_cast<const char*>(bytes), size);
    std::free(bytes);
  }
  spng_ctx_free(ctx);
  return png;
}

std::string EncodeWebp(int width, int height) {
  std::vector<std::uint8_t> rgba = Rgba(width, height);
  std::uint8_t* out = nullptr;
  const std::size_t size = WebPEncodeRGBA(rgba.data(), width, height, width * 4, 80, &out);
  std::string webp(reinterpret_cast<const char*>(out), size);
  WebPFree(out);
  return webp;
}

// What the program must write for the picture: its decode over the desktop's colour.
std::function<bool()> WallpaperOver(const std::string& picture) {
  const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
  tarvell::TJPEGImage image;
  image.SetNumOfColors(tarvell::TNumOfColors::TrueColor);
  image.SetWallpaperFit(tarvell::TWallpaperFit(tarvell::TWallpaperStyle::Center, GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                               GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                               {GetRValue(desktop), GetGValue(desktop), GetBValue(desktop)}));
  image.SetFileName(picture);
  const auto& bmp = image.Picture().BmpImage();
  auto expected = std::make_shared<const std::string>(bmp.begin(), bmp.end());
  return [expected] { return !expected->empty() && ReadWholeFile(TTarvellRun::WallpaperPath()) == *expected; };
}

class PngWebp : public TTarvellCase {};

TEST_F(PngWebp, APngAWebpAndAJpegAreAppliedInTurnEachAsItsOwnBitmap) {
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "WallpaperStyle", REG_SZ, "0", 2),
            ERROR_SUCCESS);
  // A desktop colour of its own (the prefix is thrown away), so that composing over black fails.
  const int element = COLOR_DESKTOP;
  const COLORREF teal = RGB(10, 200, 30);
  ASSERT_TRUE(SetSysColors(1, &element, &teal));
  // Named after another kind: the first bytes, not the name, say what a picture is.
  const std::string png = Slides + "\\a.png";
  const std::string webp = Slides + "\\b.webp";
  const std::string jpeg = AddPicture("c.jpg", 36, 28);
  ASSERT_TRUE(WriteWholeFile(png, EncodePng(41, 23)));
  ASSERT_TRUE(WriteWholeFile(webp, EncodeWebp(30, 45)));
  StartToTray(tarvell::TSettings{.StartFolder = Slides, .Transparent = false});

  for (const std::string& picture : {webp, jpeg, png}) {
    SendCtrlKey('Z');
    EXPECT_TRUE(WaitUntil(WallpaperOver(picture), 10000)) << picture;
  }
  EXPECT_NE(ReadWholeFile(TTarvellRun::WallpaperPath()), DecodedBmp(png)) << "composed over black";
}

}  // namespace
