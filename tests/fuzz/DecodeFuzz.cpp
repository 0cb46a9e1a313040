// libFuzzer target over the picture control's decode path: the input is taken as the bytes
// of a JPEG file and decoded under options and a wallpaper fit chosen by its last two bytes;
// any EXIF block in it turns the picture. The EXIF reader also reads the input as a segment
// of its own. Every input must end in a picture or in EJPEGException; anything else (a crash,
// a sanitizer report, another exception, a leak) is a finding.
#include "picture/DecodeError.h"
#include "picture/ExifOrientation.h"
#include "jpeg/JpgImg.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class TFuzzedImage : public tarvell::TCustomJPEGImage {
public:
  void Load(const std::uint8_t* data, std::size_t size) {
    SetJPEGStream(std::vector<std::uint8_t>(data, data + size));
    DecodePicture();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvell;
  const int orientation = ReadExifOrientation(data, size);
  if (orientation < 1 || orientation > 8) {
    std::abort();
  }
  TFuzzedImage image;
  // Keeps each run small: a malformed header may declare up to the cap, and every pixel
  // of it is allocated before the data turns out to be missing.
  image.SetMaxMegapixels(4);
  const std::uint8_t choice = size > 0 ? data[size - 1] : 0;
  image.SetLoading(true);
  image.SetNumOfColors(static_cast<TNumOfColors>(choice % 3));
  image.SetDCTMethod(static_cast<TDCTMethod>(choice / 3 % 3));
  image.SetDither(static_cast<TDither>(choice / 9 % 3));
  image.SetFastProcessing((choice & 0x20) != 0);
  image.SetGrayScale((choice & 0x40) != 0);
  image.SetNoSmooth((choice & 0x80) != 0);
  image.SetOnePass(choice % 2 != 0);
  const std::uint8_t fit = size > 1 ? data[size - 2] : 0;
  image.SetWallpaperFit({static_cast<TWallpaperStyle>(fit % 7), 1 + (fit >> 3), 1 + (fit >> 4)});
  int events = 0;
  image.SetOnProgress([&events](TCustomJPEGImage&) { ++events; });
  image.SetLoading(false);
  try {
    image.Load(data, size);
  } catch (const EJPEGException&) {
    return 0;
  }
  if (size > 0 && (image.Picture().Empty() || image.Picture().Width() <= 0 || events > 100)) {
    std::abort();
  }
  return 0;
}
