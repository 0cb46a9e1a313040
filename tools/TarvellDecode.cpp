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

const char Usage[] =
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
  std::fprintf(stderr, "tarvell-decode: %s\n%s", what, Usage);
  return 2;
}

template <class T, std::size_t N>
const T* Lookup(const std::pair<const char*, T> (&names)[N], const std::string& value) {
  const auto* found = std::find_if(std::begin(names), std::end(names), [&](const auto& n) { return value == n.first; });
  return found == std::end(names) ? nullptr : &found->second;
}

constexpr std::pair<const char*, tarvell::TNumOfColors> ColorNames[] = {
    {"16", tarvell::TNumOfColors::_16}, {"256", tarvell::TNumOfColors::_256}, {"true", tarvell::TNumOfColors::TrueColor}};
constexpr std::pair<const char*, tarvell::TDCTMethod> DctNames[] = {{"int", tarvell::TDCTMethod::Integ},
                                                                    {"fast", tarvell::TDCTMethod::FastInteg},
                                                                    {"float", tarvell::TDCTMethod::FloatingPoint}};
constexpr std::pair<const char*, tarvell::TDither> DitherNames[] = {
    {"none", tarvell::TDither::None}, {"fs", tarvell::TDither::FS}, {"ordered", tarvell::TDither::Ordered}};
constexpr std::pair<const char*, tarvell::TWallpaperStyle> StyleNames[] = {
    {"fill", tarvell::TWallpaperStyle::Fill},     {"fit", tarvell::TWallpaperStyle::Fit},
    {"stretch", tarvell::TWallpaperStyle::Stretch}, {"span", tarvell::TWallpaperStyle::Span},
    {"center", tarvell::TWallpaperStyle::Center}, {"tile", tarvell::TWallpaperStyle::Tile}};

// A switch without a value; false when arg is none.
bool ApplySwitch(const std::string& arg, tarvell::TJPEGImage& image) {
  if (arg == "--fast") {
    image.SetFastProcessing(true);
  } else if (arg == "--gray") {
    image.SetGrayScale(true);
  } else if (arg == "--nosmooth") {
    image.SetNoSmooth(true);
  } else if (arg == "--onepass") {
    image.SetOnePass(true);
  } else {
    return false;
  }
  return true;
}

// An option with a value: empty when it is applied, else what is wrong with it.
std::string ApplyOption(const std::string& arg, const std::string& value, tarvell::TJPEGImage& image,
                        tarvell::TWallpaperFit& fit) {
  if (arg == "--colors") {
    const auto* colors = Lookup(ColorNames, value);
    if (colors == nullptr) return "bad --colors value";
    image.SetNumOfColors(*colors);
  } else if (arg == "--dct") {
    const auto* method = Lookup(DctNames, value);
    if (method == nullptr) return "bad --dct value";
    image.SetDCTMethod(*method);
  } else if (arg == "--dither") {
    const auto* dither = Lookup(DitherNames, value);
    if (dither == nullptr) return "bad --dither value";
    image.SetDither(*dither);
  } else if (arg == "--style") {
    const auto* style = Lookup(StyleNames, value);
    if (style == nullptr) return "bad --style value";
    fit.Style = *style;
  } else if (arg == "--screen") {
    if (std::sscanf(value.c_str(), "%dx%d", &fit.ScreenWidth, &fit.ScreenHeight) != 2 || fit.ScreenWidth <= 0 ||
        fit.ScreenHeight <= 0) {
      return "bad --screen value";
    }
  } else if (arg == "--background") {
    unsigned rgb = 0;
    if (value.size() != 6 || std::sscanf(value.c_str(), "%6x", &rgb) != 1) return "bad --background value";
    fit.Background = {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                      static_cast<std::uint8_t>(rgb)};
  } else {
    return "unknown option " + arg;
  }
  return {};
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
    if (ApplySwitch(arg, image)) {
      continue;
    }
    // An option whose value is missing is unknown, as before.
    const std::string error = i + 1 < argc ? ApplyOption(arg, argv[i + 1], image, fit) : "unknown option " + arg;
    if (!error.empty()) {
      return UsageError(error.c_str());
    }
    ++i;
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
