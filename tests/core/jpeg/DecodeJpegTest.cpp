#include "jpeg/DecodeJpeg.h"

#include "picture/DecodeError.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

#include <sys/wait.h>

namespace tarvell {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

// Reads the header of a colour picture and applies the options, as the decode does.
struct THeaderRead : test::TBridgeFixture {
  explicit THeaderRead(const TDecodeOptions& options) : Jpeg(test::MakeJpeg({})) {
    Attach(Jpeg);
    EXPECT_TRUE(Guarded([&] {
      (void)jpeg_read_header(Info(), TRUE);
      ApplyOptions(Info(), options);
    })) << Message();
  }
  Bytes Jpeg;
};

TEST(DecodeJpeg, FastProcessingOverridesTheDctAndDitherChoices) {
  TDecodeOptions options;
  options.DCTMethod = TDCTMethod::FloatingPoint;
  options.Dither = TDither::None;
  options.FastProcessing = true;
  THeaderRead h(options);
  EXPECT_EQ(h.Info()->dct_method, JDCT_IFAST);
  EXPECT_EQ(h.Info()->dither_mode, JDITHER_ORDERED);
  EXPECT_FALSE(h.Info()->two_pass_quantize);
  EXPECT_FALSE(h.Info()->do_fancy_upsampling);

  TDecodeOptions others;
  others.GrayScale = true;
  others.NoSmooth = true;
  others.OnePass = true;
  THeaderRead g(others);
  EXPECT_EQ(g.Info()->out_color_space, JCS_GRAYSCALE);
  EXPECT_FALSE(g.Info()->do_fancy_upsampling);
  EXPECT_FALSE(g.Info()->two_pass_quantize);
  EXPECT_EQ(g.Info()->dct_method, JDCT_ISLOW);
  EXPECT_EQ(g.Info()->dither_mode, JDITHER_FS);
}

// Whether RunDjpeg's status says that djpeg finished the picture after a warning.
bool DjpegWarned(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 2; }

// Our BMP must hold the very bytes of the reference decoder's: colour table and pixel rows.
// djpeg finishes a picture after any warning; we decode after some of them, and compare then.
void ExpectAgreesWithDjpeg(const fs::path& jpegFile, const TByteBuffer& ours, const std::string& djpegOptions) {
  const fs::path reference = jpegFile.string() + ".ref.bmp";
  const int status = test::RunDjpeg(djpegOptions, jpegFile, reference);
  ASSERT_TRUE(status == 0 || DjpegWarned(status)) << jpegFile;
  const Bytes theirs = test::ReadFile(reference);
  ASSERT_GE(theirs.size(), 54u);
  ASSERT_EQ(ours.size(), theirs.size()) << jpegFile << " " << djpegOptions;
  EXPECT_EQ(test::Le32(ours, 18), test::Le32(theirs, 18));
  EXPECT_EQ(test::Le32(ours, 22), test::Le32(theirs, 22));
  EXPECT_EQ(test::Le16(ours, 28), test::Le16(theirs, 28));
  EXPECT_TRUE(std::equal(ours.begin() + 54, ours.end(), theirs.begin() + 54))
      << jpegFile << " differs from djpeg " << djpegOptions;
}

TEST(DecodeJpeg, AgreesWithTheReferenceDecoderOnColourAndGreyPictures) {
  const fs::path dir = test::TestDir();
  struct Case {
    int width, height, components, h, v;
    bool progressive;
  };
  int n = 0;
  for (const Case c : {Case{64, 48, 3, 2, 2, false}, Case{97, 61, 3, 2, 1, false}, Case{33, 17, 3, 1, 1, false},
                       Case{1, 1, 3, 2, 2, false}, Case{250, 130, 3, 2, 2, true}, Case{57, 90, 1, 1, 1, false},
                       Case{31, 7, 1, 1, 1, true}, Case{3, 200, 3, 1, 2, false}}) {
    test::TJpegSample sample;
    sample.Width = c.width;
    sample.Height = c.height;
    sample.Components = c.components;
    sample.HSampling = c.h;
    sample.VSampling = c.v;
    sample.Progressive = c.progressive;
    sample.DensityUnit = 2;
    sample.XDensity = 40;
    sample.YDensity = 40;
    const Bytes jpeg = test::MakeJpeg(sample);
    const fs::path file = dir / ("p" + std::to_string(n++) + ".jpg");
    test::WriteFile(file, jpeg);
    TDecodeOptions options;
    options.NumOfColors = TNumOfColors::TrueColor;
    const TByteBuffer ours = DecodeJpegToBmp(jpeg, options);
    ExpectAgreesWithDjpeg(file, ours, "");
    EXPECT_EQ(test::Le32(ours, 38), 4000u);
  }
}

// CMYK and YCCK pictures were refused as damaged ("BMP output must be grayscale or RGB"); the
// reference decoder turns them into 24-bit BMPs by the inverted-CMYK rule that Adobe's marker
// stands for. Ours must hold the very same bytes, from libjpeg's compressor and ImageMagick.
TEST(DecodeJpeg, CmykAndYcckPicturesGiveTheReferenceDecodersPixels) {
  const fs::path dir = test::TestDir();
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  int n = 0;
  for (const bool ycck : {false, true}) {
    for (const auto& [width, height, progressive] : {std::tuple{37, 23, false}, std::tuple{64, 64, true}}) {
      test::TJpegSample sample;
      sample.Width = width;
      sample.Height = height;
      sample.Components = 4;
      sample.Ycck = ycck;
      sample.Progressive = progressive;
      const Bytes jpeg = test::MakeJpeg(sample);
      ASSERT_NE(test::FindMarker(jpeg, 0xEE), 0u) << "no Adobe marker";
      const fs::path file = dir / ("cmyk" + std::to_string(n++) + ".jpg");
      test::WriteFile(file, jpeg);
      ExpectAgreesWithDjpeg(file, DecodeJpegToBmp(jpeg, options), "");
    }
  }
  const fs::path magick = dir / "magick.jpg";
  const std::string command =
      "convert -size 61x40 gradient:orange-navy -colorspace CMYK -quality 85 '" + magick.string() + "' 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << "ImageMagick is needed for this test";
  const Bytes jpeg = test::ReadFile(magick);
  ASSERT_NE(test::FindMarker(jpeg, 0xEE), 0u);
  ExpectAgreesWithDjpeg(magick, DecodeJpegToBmp(jpeg, options), "");
  // Turned by EXIF like any other picture: orientation 3 reverses the rows and the pixels.
  test::TJpegSample sample;
  sample.Width = 4;
  sample.Height = 2;
  sample.Components = 4;
  sample.Markers.push_back({JPEG_APP0 + 1, Bytes{'E',  'x',  'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                                                 0x01, 0x12, 0,   3,   0, 0, 0,   1,   0, 3,  0, 0, 0, 0, 0, 0}});
  const TByteBuffer upright = DecodeJpegToBmp(test::MakeJpeg([&] {
                                                auto s = sample;
                                                s.Markers.clear();
                                                return s;
                                              }()),
                                              options);
  const TByteBuffer turned = DecodeJpegToBmp(test::MakeJpeg(sample), options);
  ASSERT_EQ(turned.size(), upright.size());
  for (std::size_t pixel = 0; pixel < 8; ++pixel) {
    for (std::size_t c = 0; c < 3; ++c) {
      EXPECT_EQ(turned[54 + pixel * 3 + c], upright[54 + (7 - pixel) * 3 + c]) << pixel;
    }
  }
}

// Regression: stray bytes before a marker, which the library skips with a warning, made the
// picture damaged. It now shows as djpeg shows it: djpeg warns (the bytes were there to
// skip), and its pixels, like those of the clean file, are ours.
TEST(DecodeJpeg, StrayBytesBeforeAMarkerDecodeAsTheReferenceDecoderShowsThem) {
  const fs::path dir = test::TestDir();
  const Bytes good = test::SizedJpeg(45, 31);
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  const TByteBuffer clean = DecodeJpegToBmp(good, options);
  for (const std::uint8_t marker : {0xDB, 0xC0, 0xDA}) {  // before the tables, the frame, the scan
    Bytes stray = good;
    const std::size_t at = test::FindMarker(stray, marker) - 1;
    stray.insert(stray.begin() + static_cast<std::ptrdiff_t>(at), {0x12, 0x34, 0x56});
    const fs::path file = dir / ("stray-" + std::to_string(marker) + ".jpg");
    test::WriteFile(file, stray);
    const TByteBuffer ours = DecodeJpegToBmp(stray, options);
    EXPECT_TRUE(DjpegWarned(test::RunDjpeg("", file, dir / "probe.bmp"))) << marker;
    ExpectAgreesWithDjpeg(file, ours, "");
    EXPECT_TRUE(std::equal(ours.begin(), ours.end(), clean.begin(), clean.end())) << marker;
  }
}

// Each option against the reference decoder's switch for the same library parameter.
TEST(DecodeJpeg, AgreesWithTheReferenceDecoderUnderEachOption) {
  const fs::path dir = test::TestDir();
  const Bytes jpeg = test::SizedJpeg(150, 101);
  const fs::path file = dir / "options.jpg";
  test::WriteFile(file, jpeg);
  struct Case {
    TDecodeOptions options;
    const char* djpeg;
  };
  auto with = [](auto change) {
    TDecodeOptions o;
    o.NumOfColors = TNumOfColors::TrueColor;
    change(o);
    return o;
  };
  const Case cases[] = {
      {with([](TDecodeOptions& o) { o.GrayScale = true; }), "-grayscale"},
      {with([](TDecodeOptions& o) { o.FastProcessing = true; }), "-fast"},
      {with([](TDecodeOptions& o) { o.NoSmooth = true; }), "-nosmooth"},
      {with([](TDecodeOptions& o) { o.DCTMethod = TDCTMethod::FastInteg; }), "-dct fast"},
      {with([](TDecodeOptions& o) { o.DCTMethod = TDCTMethod::FloatingPoint; }), "-dct float"},
      {with([](TDecodeOptions& o) { o.NumOfColors = TNumOfColors::_256; }), "-colors 256"},
      {with([](TDecodeOptions& o) {
         o.NumOfColors = TNumOfColors::_16;
         o.Dither = TDither::None;
         o.OnePass = true;
       }),
       "-colors 16 -dither none -onepass"},
      {with([](TDecodeOptions& o) {
         o.NumOfColors = TNumOfColors::_16;
         o.Dither = TDither::Ordered;
       }),
       "-colors 16 -dither ordered"},
      {with([](TDecodeOptions& o) {
         o.NumOfColors = TNumOfColors::_256;
         o.GrayScale = true;
       }),
       "-colors 256 -grayscale"},
      {with([](TDecodeOptions& o) {
         o.NumOfColors = TNumOfColors::_16;
         o.FastProcessing = true;
       }),
       "-colors 16 -fast"},
  };
  for (const Case& c : cases) {
    ExpectAgreesWithDjpeg(file, DecodeJpegToBmp(jpeg, c.options), c.djpeg);
  }
}

std::vector<fs::path> CorpusFiles() {
  // Beside the main checkout, or beside the folder of worktrees.
  fs::path corpus = fs::path(TARVELL_SOURCE_DIR) / ".." / "shared" / "jpeg-corpus";
  if (!fs::is_directory(corpus)) corpus = fs::path(TARVELL_SOURCE_DIR) / ".." / ".." / "shared" / "jpeg-corpus";
  std::vector<fs::path> files;
  if (fs::is_directory(corpus)) {
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
      if (entry.is_regular_file() && entry.path().extension() != ".md") files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Every malformed or unusual file either decodes or ends in EJPEGException; the sanitizers
// catch anything worse. The reference decoder must agree on which files decode cleanly (it
// goes on after warnings, which we refuse, and converts four-channel pictures, which we
// refuse too) and on every byte of those that do.
TEST(DecodeJpeg, CorpusFilesDecodeOrFailCleanly) {
  const std::vector<fs::path> files = CorpusFiles();
  ASSERT_GE(files.size(), 277u) << "the shared JPEG corpus is missing";
  const fs::path dir = test::TestDir();
  const fs::path copy = dir / "current.jpg";
  const fs::path reference = dir / "current.jpg.ref.bmp";
  int decoded = 0;
  int failed = 0;
  for (const fs::path& file : files) {
    const Bytes jpeg = test::ReadFile(file);
    fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
    for (const auto colours : {TNumOfColors::TrueColor, TNumOfColors::_256}) {
      TDecodeOptions options;
      options.NumOfColors = colours;
      const bool checkReference = colours == TNumOfColors::TrueColor;
      try {
        const TByteBuffer bmp = DecodeJpegToBmp(jpeg, options);
        ++decoded;
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(test::Le32(bmp, 2), bmp.size()) << file;
        if (checkReference) {
          ExpectAgreesWithDjpeg(copy, bmp, "");
        }
      } catch (const EJPEGException& e) {
        ++failed;
        const std::string message = e.what();
        EXPECT_FALSE(message.empty()) << file;
        if (checkReference && message != "BMP output must be grayscale or RGB") {
          fs::remove(reference);
          EXPECT_NE(test::RunDjpeg("", copy, reference), 0)
              << file << ": we fail with \"" << message << "\" but the reference decoder is content";
        }
      }
    }
  }
  // Most of the corpus is refused (lossless, 12-bit, corrupt); some must decode.
  EXPECT_GE(decoded, 2 * 15);
  EXPECT_GT(failed, 0);
  std::printf("corpus: %d decodes, %d clean failures\n", decoded, failed);
  fs::remove_all(dir);  // the reference pictures run to hundreds of megabytes
}

}  // namespace
}  // namespace tarvell
