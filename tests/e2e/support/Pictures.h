// Pictures for the end-to-end tests: JPEG files from the tests' picture maker, and the bitmap the program must
// write for one, decoded in this process the way its preview decodes it.
#pragma once

#include "jpeg/JpgImg.h"
#include "tests/e2e/support/TarvellRun.h"
#include "tests/support/PictureMaker.h"

#include <functional>
#include <memory>
#include <string>

namespace tarvell::e2e {

// A colour JPEG of the given size; pictures of different sizes decode to different bitmaps.
inline std::string SizedJpeg(int width, int height) {
  return tarvell::test::AsText(tarvell::test::SizedJpeg(width, height));
}

// The BMP file image of a picture at full size.
inline std::string DecodedBmp(const std::string& picture) {
  tarvell::TJPEGImage image;
  image.SetNumOfColors(tarvell::TNumOfColors::TrueColor);
  image.SetFileName(picture);
  const auto& bmp = image.Picture().BmpImage();
  return std::string(bmp.begin(), bmp.end());
}

// Whether the wallpaper file holds exactly the image of `picture`.
inline std::function<bool()> WallpaperOf(const std::string& picture) {
  auto expected = std::make_shared<const std::string>(DecodedBmp(picture));
  return [expected] { return !expected->empty() && ReadWholeFile(TTarvellRun::WallpaperPath()) == *expected; };
}

}  // namespace tarvell::e2e
