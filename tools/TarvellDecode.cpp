// tarvell-decode: decodes a JPEG, PNG or WebP file into a BMP file exactly as the picture control does
// (options set, then FileName, then the picture saved). For tests and benchmarks.
#include "picture/DecodeError.h"
#include "jpeg/JpgImg.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <utility>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>

namespace {

const char kUsage[] =
    "usage: tarvell-decode IN.jpg|IN.png|IN.webp OUT.bmp [options]\n"
    "  --colors 16|256|true    colour quantisation (default true: 24-bit rows)\n"
    "  --dct int|fast|float    DCT method (default int)\n"
    "  --dither none|fs|ordered  dithering when quantising (default fs)\n"
    "  --fast                  fast processing\n"
    "  --gray                  greyscale output\n"
    "  --nosmooth              no fancy upsampling\n"
    "  --onepass               one-pass quantisation\n"
    "  --style fill|fit|stretch|span|center|tile\n"
    "                          decode for this wallpaper style (default: none, full size)\n"
    "  --screen WxH            the screen for --style (default 1920x1080)\n"
    "  --background RRGGBB     the desktop colour under transparent parts (default 000000)\n"
    "EXIF orientation is always applied.\n"
    "Defaults are those of the main window's preview. On failure the error is printed and\n"
    "the exit code is 1; a wrong command line exits with 2.\n";

int UsageError(const char* what) {
  std::fprintf(stderr, "tarvell-decode: %s\n%s", what, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tarvell;
  if (argc < 3) {
    return UsageError("missing file names");
  }
  const std::string in = argv[1];
  const std::string out = argv[2];
  TJPEGImage image;
  TWallpaperFit fit{TWallpaperStyle::None, 1920, 1080};
  // Options are stored without decoding, as when the control is read from a layout.
  image.SetLoading(true);
  image.SetNumOfColors(TNumOfColors::TrueColor);
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    const std::string value = hasValue ? argv[i + 1] : "";
    if (arg == "--colors" && hasValue) {
      if (value == "16")
        image.SetNumOfColors(TNumOfColors::_16);
      else if (value == "256")
        image.SetNumOfColors(TNumOfColors::_256);
      else if (value == "true")
        image.SetNumOfColors(TNumOfColors::TrueColor);
      else
        return UsageError("bad --colors value");
      ++i;
    } else if (arg == "--dct" && hasValue) {
      if (value == "int")
        image.SetDCTMethod(TDCTMethod::Integ);
      else if (value == "fast")
        image.SetDCTMethod(TDCTMethod::FastInteg);
      else if (value == "float")
        image.SetDCTMethod(TDCTMethod::FloatingPoint);
      else
        return UsageError("bad --dct value");
      ++i;
    } else if (arg == "--dither" && hasValue) {
      if (value == "none")
        image.SetDither(TDither::None);
      else if (value == "fs")
        image.SetDither(TDither::FS);
      else if (value == "ordered")
        image.SetDither(TDither::Ordered);
      else
        return UsageError("bad --dither value");
      ++i;
    } else if (arg == "--fast") {
      image.SetFastProcessing(true);
    } else if (arg == "--gray") {
      image.SetGrayScale(true);
    } else if (arg == "--nosmooth") {
      image.SetNoSmooth(true);
    } else if (arg == "--onepass") {
      image.SetOnePass(true);
    } else if (arg == "--style" && hasValue) {
      const std::pair<const char*, TWallpaperStyle> styles[] = {
          {"fill", TWallpaperStyle::Fill}, {"fit", TWallpaperStyle::Fit},       {"stretch", TWallpaperStyle::Stretch},
          {"span", TWallpaperStyle::Span}, {"center", TWallpaperStyle::Center}, {"tile", TWallpaperStyle::Tile}};
      const auto* found =
          std::find_if(std::begin(styles), std::end(styles), [&](const auto& s) { return value == s.first; });
      if (found == std::end(styles)) return UsageError("bad --style value");
      fit.Style = found->second;
      ++i;
    } else if (arg == "--screen" && hasValue) {
      if (std::sscanf(value.c_str(), "%dx%d", &fit.ScreenWidth, &fit.ScreenHeight) != 2 || fit.ScreenWidth <= 0 ||
          fit.ScreenHeight <= 0) {
        return UsageError("bad --screen value");
      }
      ++i;
    } else if (arg == "--background" && hasValue) {
      unsigned rgb = 0;
      if (value.size() != 6 || std::sscanf(value.c_str(), "%6x", &rgb) != 1)
        return UsageError("bad --background value");
      fit.Background = {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                        static_cast<std::uint8_t>(rgb)};
      ++i;
    } else {
      return UsageError(("unknown option " + arg).c_str());
    }
  }
  image.SetLoading(false);
  try {
    image.SetWallpaperFit(fit);
    image.SetFileName(in);
    image.Picture().SaveToFile(out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
