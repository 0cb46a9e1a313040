// tarvell-decode: decodes a JPEG file into a BMP file exactly as the picture control does
// (options set, then FileName, then the picture saved). For tests and benchmarks.
#include "jpeg/Exception.h"
#include "jpeg/JpgImg.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

const char kUsage[] =
    "usage: tarvell-decode IN.jpg OUT.bmp [options]\n"
    "  --colors 16|256|true    colour quantisation (default true: 24-bit rows)\n"
    "  --dct int|fast|float    DCT method (default int)\n"
    "  --dither none|fs|ordered  dithering when quantising (default fs)\n"
    "  --fast                  fast processing\n"
    "  --gray                  greyscale output\n"
    "  --nosmooth              no fancy upsampling\n"
    "  --onepass               one-pass quantisation\n"
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
  // Options are stored without decoding, as when the control is read from a layout.
  image.SetLoading(true);
  image.SetNumOfColors(TNumOfColors::TrueColor);
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    const std::string value = hasValue ? argv[i + 1] : "";
    if (arg == "--colors" && hasValue) {
      if (value == "16") image.SetNumOfColors(TNumOfColors::_16);
      else if (value == "256") image.SetNumOfColors(TNumOfColors::_256);
      else if (value == "true") image.SetNumOfColors(TNumOfColors::TrueColor);
      else return UsageError("bad --colors value");
      ++i;
    } else if (arg == "--dct" && hasValue) {
      if (value == "int") image.SetDCTMethod(TDCTMethod::Integ);
      else if (value == "fast") image.SetDCTMethod(TDCTMethod::FastInteg);
      else if (value == "float") image.SetDCTMethod(TDCTMethod::FloatingPoint);
      else return UsageError("bad --dct value");
      ++i;
    } else if (arg == "--dither" && hasValue) {
      if (value == "none") image.SetDither(TDither::None);
      else if (value == "fs") image.SetDither(TDither::FS);
      else if (value == "ordered") image.SetDither(TDither::Ordered);
      else return UsageError("bad --dither value");
      ++i;
    } else if (arg == "--fast") {
      image.SetFastProcessing(true);
    } else if (arg == "--gray") {
      image.SetGrayScale(true);
    } else if (arg == "--nosmooth") {
      image.SetNoSmooth(true);
    } else if (arg == "--onepass") {
      image.SetOnePass(true);
    } else {
      return UsageError(("unknown option " + arg).c_str());
    }
  }
  image.SetLoading(false);
  try {
    image.SetFileName(in);
    image.Picture().SaveToFile(out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
