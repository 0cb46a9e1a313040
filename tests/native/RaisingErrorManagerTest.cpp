#include "jpeg/RaisingErrorManager.h"

#include "jpeg/DecodeJpeg.h"
#include "jpeg/Exception.h"
#include "tests/native/JpegSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarvell {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

std::string Format(int code, int p0 = 0, int p1 = 0, int p2 = 0) {
  RaisingErrorManager manager{};
  InitRaisingErrorManager(manager);
  jpeg_decompress_struct info{};
  info.err = &manager.Pub;
  manager.Pub.msg_code = code;
  manager.Pub.msg_parm.i[0] = p0;
  manager.Pub.msg_parm.i[1] = p1;
  manager.Pub.msg_parm.i[2] = p2;
  char text[JMSG_LENGTH_MAX];
  (*manager.Pub.format_message)(reinterpret_cast<j_common_ptr>(&info), text);
  return text;
}

TEST(RaisingErrorManager, AddOnMessagesLieOutsideTheLibrarysOwnAndFormat) {
  EXPECT_GT(static_cast<int>(JMSG_FIRSTADDONCODE), static_cast<int>(JMSG_LASTMSGCODE));
  EXPECT_EQ(Format(JERR_BMP_COLORSPACE), "BMP output must be grayscale or RGB");
  EXPECT_EQ(Format(JERR_BMP_COLORMAP, 300), "Output file format cannot handle 300 colormap entries");
  EXPECT_EQ(Format(JERR_BMP_TOO_MANY_PIXELS, 65000, 64000, 250),
            "Picture of 65000 x 64000 pixels exceeds the limit of 250 megapixels");
  EXPECT_EQ(Format(JERR_BMP_TOO_LARGE, 65000, 64000), "Picture of 65000 x 64000 pixels is too large for a BMP file");
  // The library's own table still answers its own codes.
  EXPECT_EQ(Format(JERR_INPUT_EMPTY), "Empty input file");
}

TEST(RaisingErrorManager, TheFirstWarningRaisesWithTheLibrarysText) {
  test::TJpegSpec sample;
  Bytes jpeg = test::MakeJpeg(sample);
  // Two stray bytes after the start-of-image marker: the library only warns about them.
  jpeg.insert(jpeg.begin() + 2, {0x12, 0x34});
  TDecodeOptions options;
  try {
    (void)DecodeJpegToBmp(jpeg, options);
    ADD_FAILURE() << "a warning was tolerated";
  } catch (const EJPEGException& e) {
    EXPECT_EQ(std::string(e.what()), "Corrupt JPEG data: 2 extraneous bytes before marker 0xe0");
  }
}

// Damaged or unsupported is told by the library's message code, never by its text: a file
// that decodes nowhere is damaged, one of a kind we do not decode is only skipped.
TEST(RaisingErrorManager, FailuresAreClassifiedByTheirCode) {
  auto kindOf = [](const Bytes& jpeg, const TDecodeOptions& options) {
    try {
      (void)DecodeJpegToBmp(jpeg, options);
    } catch (const EJPEGException& e) {
      return e.Kind() == TJpegFailure::Damaged ? std::string("damaged: ") + e.what()
                                               : std::string("unsupported: ") + e.what();
    }
    return std::string("decoded");
  };
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  const fs::path corpus = fs::path(TARVELL_SOURCE_DIR).parent_path();
  int corpora = 0;
  for (const fs::path& shared : {corpus / "shared", corpus.parent_path() / "shared"}) {
    const fs::path lossless = shared / "jpeg-corpus" / "lossless" / "random10_100x91_lossless_psv1_pt0.jpg";
    if (!fs::exists(lossless)) continue;
    ++corpora;
    EXPECT_EQ(kindOf(test::ReadFile(lossless), options).rfind("unsupported: ", 0), 0u) << "lossless";
    for (const auto& entry : fs::directory_iterator(shared / "jpeg-corpus" / "12bit")) {
      EXPECT_EQ(kindOf(test::ReadFile(entry.path()), options), "unsupported: Unsupported JPEG data precision 12");
    }
  }
  EXPECT_EQ(corpora, 1) << "the shared JPEG corpus is missing";
  test::TJpegSpec sample;
  sample.Width = 64;
  sample.Height = 64;
  const Bytes good = test::MakeJpeg(sample);
  Bytes cut = good;
  cut.resize(cut.size() / 2);
  EXPECT_EQ(kindOf(cut, options), "damaged: Premature end of JPEG file");
  Bytes stray = good;
  stray.insert(stray.begin() + 2, {0x12, 0x34});
  EXPECT_EQ(kindOf(stray, options).rfind("damaged: Corrupt JPEG data", 0), 0u);
  Bytes noSoi = good;
  noSoi[1] = 0xD9;
  EXPECT_EQ(kindOf(noSoi, options), "unsupported: Not a JPEG file: starts with 0xff 0xd9");
  EXPECT_EQ(kindOf(test::MakeTablesOnlyJpeg(), options), "damaged: JPEG datastream contains no image");

  Bytes huge = good;
  test::SetDeclaredSize(huge, 60000, 60000);
  EXPECT_EQ(kindOf(huge, options), "unsupported: Picture of 60000 x 60000 pixels exceeds the limit of 250 megapixels");
  TDecodeOptions small = options;
  small.MaxMegapixels = 1;
  Bytes big = good;
  test::SetDeclaredSize(big, 2000, 1000);
  EXPECT_EQ(kindOf(big, small).rfind("unsupported: Picture of 2000 x 1000", 0), 0u);
  // The cap holds for the source too when a wallpaper style scales the output down.
  small.Fit = {TWallpaperStyle::Fill, 100, 100};
  EXPECT_EQ(kindOf(big, small).rfind("unsupported: Picture of 2000 x 1000", 0), 0u);

  test::TJpegSpec cmyk;
  cmyk.Components = 4;
  TDecodeOptions quantised;
  quantised.NumOfColors = TNumOfColors::_256;
  EXPECT_EQ(kindOf(test::MakeJpeg(cmyk), quantised), "unsupported: CMYK pictures cannot be shown in fewer colours");
  TDecodeOptions grey = options;
  grey.GrayScale = true;
  EXPECT_EQ(kindOf(test::MakeJpeg(cmyk), grey).rfind("unsupported: ", 0), 0u);
  EXPECT_EQ(FailureKindOf(12345), TJpegFailure::Damaged) << "unknown codes count as damage";
}

}  // namespace
}  // namespace tarvell
