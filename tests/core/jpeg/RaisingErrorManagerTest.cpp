#include "jpeg/RaisingErrorManager.h"

#include "jpeg/DecodeJpeg.h"
#include "picture/DecodeError.h"
#include "tests/support/PictureSamples.h"

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

// The entropy data of the first scan cut in half, the end-of-image marker right after it.
Bytes WithDataCutShort(Bytes jpeg) {
  const std::size_t sos = test::FindMarker(jpeg, 0xDA);
  const std::size_t data = sos + 1 + (std::size_t{jpeg[sos + 1]} << 8 | jpeg[sos + 2]);
  jpeg.resize(data + (jpeg.size() - data) / 2);
  jpeg.insert(jpeg.end(), {0xFF, 0xD9});
  return jpeg;
}

// A warning that costs picture data ends the decode as damage, with the library's text;
// one after which every row still decodes from intact data is passed over and counted.
TEST(RaisingErrorManager, WarningsThatCostPictureDataRaiseWithTheLibrarysText) {
  const Bytes good = test::SizedJpeg(64, 64);
  TDecodeOptions options;
  try {
    (void)DecodeJpegToBmp(WithDataCutShort(good), options);
    ADD_FAILURE() << "a warning that lost data was tolerated";
  } catch (const EJPEGException& e) {
    EXPECT_EQ(std::string(e.what()), "Corrupt JPEG data: premature end of data segment");
    EXPECT_EQ(e.Kind(), TDecodeFailure::Damaged);
  }

  const int whole[] = {JWRN_EXTRANEOUS_DATA, JWRN_JFIF_MAJOR, JWRN_ADOBE_XFORM, JWRN_NOT_SEQUENTIAL};
  for (const int code : whole) EXPECT_TRUE(WarningKeepsEveryRow(code)) << code;
  const int lossy[] = {
      JWRN_JPEG_EOF, JWRN_HIT_MARKER, JWRN_HUFF_BAD_CODE, JWRN_MUST_RESYNC, JWRN_BOGUS_PROGRESSION, JWRN_TOO_MUCH_DATA,
      12345};
  for (const int code : lossy) EXPECT_FALSE(WarningKeepsEveryRow(code)) << code;
  test::TBridgeFixture bridge;
  EXPECT_TRUE(bridge.Guarded([&] { WARNMS2(bridge.Info(), JWRN_EXTRANEOUS_DATA, 2, 0xE0); }));
  EXPECT_EQ(bridge.Info()->err->num_warnings, 1);
  EXPECT_FALSE(bridge.Guarded([&] { WARNMS(bridge.Info(), JWRN_HUFF_BAD_CODE); }));
  EXPECT_STREQ(bridge.Message(), "Corrupt JPEG data: bad Huffman code");

  // Trace messages keep the library's rule: raised only up to the trace level.
  test::TBridgeFixture traced;
  traced.Info()->err->trace_level = 0;
  EXPECT_TRUE(traced.Guarded([&] { TRACEMS(traced.Info(), 1, JTRC_EOI); }));
  traced.Info()->err->trace_level = 1;
  EXPECT_FALSE(traced.Guarded([&] { TRACEMS(traced.Info(), 1, JTRC_EOI); }));
  EXPECT_STREQ(traced.Message(), "End Of Image");
}

// Damaged or unsupported is told by the library's message code, never by its text: a file
// that decodes nowhere is damaged, one of a kind we do not decode is only skipped.
TEST(RaisingErrorManager, FailuresAreClassifiedByTheirCode) {
  auto kindOf = [](const Bytes& jpeg, const TDecodeOptions& options) {
    try {
      (void)DecodeJpegToBmp(jpeg, options);
    } catch (const EJPEGException& e) {
      return e.Kind() == TDecodeFailure::Damaged ? std::string("damaged: ") + e.what()
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
  const Bytes good = test::SizedJpeg(64, 64);
  Bytes cut = good;
  cut.resize(cut.size() / 2);
  EXPECT_EQ(kindOf(cut, options), "damaged: Premature end of JPEG file");
  EXPECT_EQ(kindOf(WithDataCutShort(good), options), "damaged: Corrupt JPEG data: premature end of data segment");
  // Regression: stray bytes before a marker, which the library skips with a warning, made a
  // whole picture damaged.
  Bytes stray = good;
  stray.insert(stray.begin() + 2, {0x12, 0x34});
  EXPECT_EQ(kindOf(stray, options), "decoded");
  Bytes noSoi = good;
  noSoi[1] = 0xD9;
  EXPECT_EQ(kindOf(noSoi, options), "unsupported: Not a JPEG file: starts with 0xff 0xd9 0xff");
  EXPECT_EQ(kindOf({0x47, 0x49}, options), "unsupported: Not a JPEG file: starts with 0x47 0x49");
  EXPECT_EQ(kindOf({}, options), "unsupported: Empty input file");
  // Regressions: valid files of a kind we do not show counted as damage, and with Sound were
  // offered for deletion: a file of tables only, and one whose height a DNL marker gives.
  EXPECT_EQ(kindOf(test::MakeTablesOnlyJpeg(), options), "unsupported: JPEG datastream contains no image");
  Bytes dnl = good;
  test::SetDeclaredSize(dnl, 64, 0);
  EXPECT_EQ(kindOf(dnl, options), "unsupported: Empty JPEG image (DNL not supported)");
  Bytes noWidth = good;
  test::SetDeclaredSize(noWidth, 0, 64);
  EXPECT_EQ(kindOf(noWidth, options), "damaged: Empty JPEG image (DNL not supported)") << "no DNL gives a width";

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

  test::TJpegSample cmyk;
  cmyk.Components = 4;
  TDecodeOptions quantised;
  quantised.NumOfColors = TNumOfColors::_256;
  EXPECT_EQ(kindOf(test::MakeJpeg(cmyk), quantised), "unsupported: CMYK pictures cannot be shown in fewer colours");
  TDecodeOptions grey = options;
  grey.GrayScale = true;
  EXPECT_EQ(kindOf(test::MakeJpeg(cmyk), grey).rfind("unsupported: ", 0), 0u);
  EXPECT_EQ(FailureKindOf(12345), TDecodeFailure::Damaged) << "unknown codes count as damage";
}

}  // namespace
}  // namespace tarvell
