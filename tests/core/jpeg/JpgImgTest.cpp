#include "jpeg/JpgImg.h"

#include "picture/DecodeError.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarvell {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

// A control whose repaint requests and progress events are counted.
struct TWatched {
  TWatched() {
    Image.SetOnInvalidate([this] { ++Repaints; });
    Image.SetOnProgress([this](TCustomJPEGImage& sender) {
      EXPECT_EQ(&sender, &Image);
      ++Events;
    });
  }
  TJPEGImage Image;
  int Repaints = 0;
  int Events = 0;
};

fs::path WriteJpeg(const fs::path& dir, const std::string& name, const test::TJpegSample& sample) {
  const fs::path file = dir / name;
  test::WriteFile(file, test::MakeJpeg(sample));
  return file;
}

test::TJpegSample Sized(int width, int height, int components = 3) {
  test::TJpegSample sample;
  sample.Width = width;
  sample.Height = height;
  sample.Components = components;
  return sample;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(JpgImg, ClassDefaults) {
  TJPEGImage image;
  EXPECT_EQ(image.NumOfColors(), TNumOfColors::_256);
  EXPECT_EQ(image.DCTMethod(), TDCTMethod::Integ);
  EXPECT_EQ(image.Dither(), TDither::FS);
  EXPECT_FALSE(image.FastProcessing());
  EXPECT_FALSE(image.GrayScale());
  EXPECT_FALSE(image.NoSmooth());
  EXPECT_FALSE(image.OnePass());
  EXPECT_EQ(image.ProgressStep(), 10);
  EXPECT_EQ(image.Quality(), 75);
  EXPECT_FALSE(image.Progressive());
  EXPECT_FALSE(image.OnProgress());
  EXPECT_FALSE(image.Loading());
  EXPECT_EQ(image.FileName(), "");
  EXPECT_TRUE(image.Picture().Empty());
  EXPECT_EQ(image.Picture().Width(), 0);
  EXPECT_EQ(image.Picture().Height(), 0);
}

TEST(JpgImg, LoadsAFileAtItsOwnSizeUnderTheCurrentOptions) {
  const fs::path dir = test::TestDir();
  TWatched w;
  w.Image.SetNumOfColors(TNumOfColors::TrueColor);
  EXPECT_EQ(w.Repaints, 1) << "an option write without a file empties and repaints";
  const fs::path file = WriteJpeg(dir, "a.jpg", Sized(123, 45));
  w.Image.SetFileName(file.string());
  EXPECT_EQ(w.Image.FileName(), file.string());
  EXPECT_EQ(w.Image.Picture().Width(), 123);
  EXPECT_EQ(w.Image.Picture().Height(), 45);
  EXPECT_EQ(w.Image.Picture().BitsPerPixel(), 24);
  EXPECT_EQ(w.Repaints, 2);
  // Every option write decodes again at once.
  w.Image.SetGrayScale(true);
  EXPECT_EQ(w.Image.Picture().BitsPerPixel(), 8);
  w.Image.SetGrayScale(false);
  w.Image.SetNumOfColors(TNumOfColors::_16);
  EXPECT_EQ(w.Image.Picture().BitsPerPixel(), 8);
  const TByteBuffer sixteen = w.Image.Picture().BmpImage();
  w.Image.SetDither(TDither::None);
  EXPECT_NE(w.Image.Picture().BmpImage(), sixteen);
  w.Image.SetNumOfColors(TNumOfColors::TrueColor);
  EXPECT_EQ(w.Image.Picture().BitsPerPixel(), 24);
  EXPECT_EQ(w.Repaints, 7);
}

TEST(JpgImg, GreyscaleFileWithTrueColourGivesAnEightBitGreyRamp) {
  const fs::path dir = test::TestDir();
  TJPEGImage image;
  image.SetNumOfColors(TNumOfColors::TrueColor);
  image.SetFileName(WriteJpeg(dir, "g.jpg", Sized(10, 10, 1)).string());
  const TByteBuffer& bmp = image.Picture().BmpImage();
  EXPECT_EQ(image.Picture().BitsPerPixel(), 8);
  ASSERT_EQ(bmp.size(), 1078u + 12 * 10);
  EXPECT_EQ(test::Le32(bmp, 54 + 4 * 200), 0x00C8C8C8u);
}

// A file of no bytes is refused like any other file we cannot show (see below); only the
// empty name empties the picture.
TEST(JpgImg, EmptyNameEmptiesThePicture) {
  const fs::path dir = test::TestDir();
  TWatched w;
  w.Image.SetFileName(WriteJpeg(dir, "a.jpg", Sized(8, 8)).string());
  ASSERT_FALSE(w.Image.Picture().Empty());
  const int repaints = w.Repaints;
  w.Image.SetFileName("");
  EXPECT_TRUE(w.Image.Picture().Empty());
  EXPECT_EQ(w.Image.FileName(), "");
  EXPECT_EQ(w.Repaints, repaints + 1);
}

TEST(JpgImg, UnopenableFileKeepsThePreviousPictureButStoresTheName) {
  const fs::path dir = test::TestDir();
  TWatched w;
  w.Image.SetFileName(WriteJpeg(dir, "a.jpg", Sized(20, 10)).string());
  const TByteBuffer before = w.Image.Picture().BmpImage();
  const int repaints = w.Repaints;
  for (const fs::path& bad : {dir / "missing.jpg", dir}) {
    try {
      w.Image.SetFileName(bad.string());
      ADD_FAILURE() << bad;
    } catch (const EFOpenError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + bad.string());
    }
    EXPECT_EQ(w.Image.FileName(), bad.string());
    EXPECT_EQ(w.Image.Picture().BmpImage(), before);
  }
  EXPECT_EQ(w.Repaints, repaints) << "a failure does not repaint";
  // The stored copy is still the previous file: an option write decodes it again.
  w.Image.SetGrayScale(true);
  EXPECT_EQ(w.Image.Picture().Width(), 20);
  EXPECT_EQ(w.Image.Picture().BitsPerPixel(), 8);
}

TEST(JpgImg, FailedFileKeepsFailingOnEveryOptionWriteUntilTheNameChanges) {
  const fs::path dir = test::TestDir();
  TWatched w;
  w.Image.SetFileName(WriteJpeg(dir, "good.jpg", Sized(16, 16)).string());
  const TByteBuffer before = w.Image.Picture().BmpImage();
  const fs::path notJpeg = dir / "tables.jpg";
  test::WriteFile(notJpeg, test::MakeTablesOnlyJpeg());
  const std::string expected = "JPEG datastream contains no image";
  EXPECT_EQ(ErrorOf([&] { w.Image.SetFileName(notJpeg.string()); }), expected);
  EXPECT_EQ(w.Image.FileName(), notJpeg.string());
  EXPECT_EQ(w.Image.Picture().BmpImage(), before);
  EXPECT_EQ(ErrorOf([&] { w.Image.SetNumOfColors(TNumOfColors::TrueColor); }), expected);
  EXPECT_EQ(w.Image.NumOfColors(), TNumOfColors::TrueColor) << "the value is stored before the decode fails";
  EXPECT_EQ(ErrorOf([&] { w.Image.SetDCTMethod(TDCTMethod::FloatingPoint); }), expected);
  EXPECT_EQ(ErrorOf([&] { w.Image.SetDither(TDither::Ordered); }), expected);
  EXPECT_EQ(ErrorOf([&] { w.Image.SetFastProcessing(true); }), expected);
  EXPECT_EQ(ErrorOf([&] { w.Image.SetGrayScale(true); }), expected);
  EXPECT_EQ(ErrorOf([&] { w.Image.SetNoSmooth(true); }), expected);
  EXPECT_EQ(ErrorOf([&] { w.Image.SetOnePass(true); }), expected);
  EXPECT_EQ(w.Image.Picture().BmpImage(), before);
  // Plain values never decode, so they never fail.
  EXPECT_EQ(ErrorOf([&] {
              w.Image.SetQuality(10);
              w.Image.SetProgressive(true);
              w.Image.SetProgressStep(5);
            }),
            "(no error)");
  w.Image.SetFileName("");
  EXPECT_TRUE(w.Image.Picture().Empty());
}

TEST(JpgImg, TablesOnlyAndCutFilesRaiseAndCmykDecodes) {
  const fs::path dir = test::TestDir();
  TJPEGImage image;
  image.SetNumOfColors(TNumOfColors::TrueColor);
  const fs::path tables = dir / "tables.jpg";
  test::WriteFile(tables, test::MakeTablesOnlyJpeg());
  EXPECT_EQ(ErrorOf([&] { image.SetFileName(tables.string()); }), "JPEG datastream contains no image");

  Bytes cut = test::MakeJpeg(Sized(64, 64));
  cut.resize(cut.size() / 2);
  const fs::path cutFile = dir / "cut.jpg";
  test::WriteFile(cutFile, cut);
  EXPECT_EQ(ErrorOf([&] { image.SetFileName(cutFile.string()); }), "Premature end of JPEG file");

  const fs::path cmyk = WriteJpeg(dir, "cmyk.jpg", Sized(8, 8, 4));
  EXPECT_EQ(ErrorOf([&] { image.SetFileName(cmyk.string()); }), "(no error)");
  EXPECT_EQ(image.Picture().BitsPerPixel(), 24);
  EXPECT_NE(ErrorOf([&] { image.SetGrayScale(true); }), "(no error)");
}

TEST(JpgImg, LoadingFromALayoutStoresWithoutDecoding) {
  const fs::path dir = test::TestDir();
  TWatched w;
  const fs::path file = WriteJpeg(dir, "a.jpg", Sized(8, 8));
  w.Image.SetLoading(true);
  w.Image.SetNumOfColors(TNumOfColors::TrueColor);
  w.Image.SetGrayScale(true);
  w.Image.SetFileName(file.string());
  EXPECT_EQ(w.Image.FileName(), file.string());
  EXPECT_TRUE(w.Image.Picture().Empty());
  EXPECT_EQ(w.Repaints, 0);
  w.Image.SetLoading(false);
  EXPECT_TRUE(w.Image.Picture().Empty()) << "nothing decodes when loading ends";
  w.Image.SetNoSmooth(false);
  EXPECT_EQ(w.Image.Picture().BitsPerPixel(), 8) << "the next write decodes with the stored options";
}

int CountEvents(const fs::path& dir, int rows, int step) {
  TWatched w;
  w.Image.SetProgressStep(step);
  w.Image.SetNumOfColors(TNumOfColors::TrueColor);
  w.Image.SetFileName(WriteJpeg(dir, std::to_string(rows) + ".jpg", Sized(1, rows, 1)).string());
  return w.Events;
}

TEST(JpgImg, ProgressEventsFollowTheStepRule) {
  const fs::path dir = test::TestDir();
  EXPECT_EQ(CountEvents(dir, 1000, 10), 10);
  EXPECT_EQ(CountEvents(dir, 3, 10), 1);
  EXPECT_EQ(CountEvents(dir, 100, 3), 33) << "3, 6, ..., 99 and not 100";
  EXPECT_EQ(CountEvents(dir, 100, 1), 100);
  EXPECT_EQ(CountEvents(dir, 1, 10), 1);
  EXPECT_EQ(CountEvents(dir, 7, 50), 1) << "57 is skipped, 100 reported";
}

// Guards against a step outside 1..100 dividing by zero in the progress rule.
TEST(JpgImg, ProgressStepIsClampedToOneToAHundred) {
  const fs::path dir = test::TestDir();
  TJPEGImage image;
  // 256 must not wrap round in the one-byte store.
  for (const auto& [step, kept] : {std::pair{0, 1}, std::pair{-7, 1}, std::pair{1000, 100}, std::pair{256, 100}}) {
    image.SetProgressStep(step);
    EXPECT_EQ(image.ProgressStep(), kept) << step;
  }
  EXPECT_EQ(CountEvents(dir, 100, 0), 100);
  EXPECT_EQ(CountEvents(dir, 100, 500), 1);
  image.SetQuality(101);
  EXPECT_EQ(image.Quality(), 100);
  image.SetQuality(-1);
  EXPECT_EQ(image.Quality(), 0);
}

TEST(JpgImg, AnErrorFromTheProgressHandlerLeavesThroughTheWrite) {
  const fs::path dir = test::TestDir();
  TJPEGImage image;
  image.SetOnProgress([](TCustomJPEGImage&) { throw Exception("stop"); });
  EXPECT_EQ(ErrorOf([&] { image.SetFileName(WriteJpeg(dir, "a.jpg", Sized(30, 30)).string()); }), "stop");
  EXPECT_TRUE(image.Picture().Empty());
  image.SetOnProgress(nullptr);
  image.SetNoSmooth(true);
  EXPECT_EQ(image.Picture().Width(), 30);
}

// Guards against a handler that changes the control during its own decode: the bytes being
// read must stay valid, and the newer decode's picture must win over the older one.
TEST(JpgImg, ChangesMadeFromTheProgressHandlerWin) {
  const fs::path dir = test::TestDir();
  TJPEGImage image;
  image.SetNumOfColors(TNumOfColors::TrueColor);
  bool once = true;
  image.SetOnProgress([&](TCustomJPEGImage& sender) {
    if (once) {
      once = false;
      sender.SetGrayScale(true);
    }
  });
  image.SetFileName(WriteJpeg(dir, "a.jpg", Sized(40, 40)).string());
  EXPECT_EQ(image.Picture().BitsPerPixel(), 8);

  once = true;
  image.SetOnProgress([&](TCustomJPEGImage&) {
    if (once) {
      once = false;
      image.SetFileName("");
    }
  });
  // The outer decode may finish from its buffer or run out of bytes; either way the
  // picture stays empty as the newer write left it.
  const std::string error = ErrorOf([&] { image.SetFileName(WriteJpeg(dir, "big.jpg", Sized(300, 300)).string()); });
  EXPECT_TRUE(error == "(no error)" || error == "Premature end of JPEG file") << error;
  EXPECT_TRUE(image.Picture().Empty());
}

TEST(JpgImg, EnormousDeclaredSizeIsRefusedWithItsReason) {
  const fs::path dir = test::TestDir();
  Bytes jpeg = test::MakeJpeg(Sized(16, 16));
  test::SetDeclaredSize(jpeg, 65000, 65000);
  const fs::path file = dir / "huge.jpg";
  test::WriteFile(file, jpeg);
  TJPEGImage image;
  EXPECT_EQ(ErrorOf([&] { image.SetFileName(file.string()); }),
            "Picture of 65000 x 65000 pixels exceeds the limit of 250 megapixels");
  image.SetMaxMegapixels(0);
  EXPECT_EQ(image.MaxMegapixels(), 1u);
}

// A 1 GB "x.jpeg.mkv" was read whole before the decoder refused it, freezing the program, and
// the refusal counted as damage. Now a file that does not start FF D8 FF, or is larger than
// the cap, is refused as unsupported before it is read: the stored copy is still the previous
// file's, which the next option write decodes again.
// Regressions too: a file of no bytes was "shown" as an empty picture, and the refusal quoted
// only two bytes, so a file starting FF D8 00 read as if it began like a JPEG file.
TEST(JpgImg, NonJpegAndOversizeFilesAreRefusedUnreadAsUnsupported) {
  const fs::path dir = test::TestDir();
  TWatched w;
  w.Image.SetNumOfColors(TNumOfColors::TrueColor);
  w.Image.SetFileName(WriteJpeg(dir, "good.jpg", Sized(30, 20)).string());
  const fs::path video = dir / "x.jpeg.mkv";
  const fs::path oversize = dir / "huge.jpg";
  const fs::path tiny = dir / "two.jpg";
  test::WriteFile(video, {0x1A, 0x45, 0xDF, 0xA3});
  fs::resize_file(video, MaxPictureFileBytes);  // sparse: costs no disk
  test::WriteFile(oversize, {0xFF, 0xD8, 0xFF, 0xE0});
  fs::resize_file(oversize, MaxPictureFileBytes + 1);
  test::WriteFile(tiny, {0xFF, 0xD8});
  const fs::path nearly = dir / "nearly.jpg";
  const fs::path empty = dir / "empty.jpg";
  test::WriteFile(nearly, {0xFF, 0xD8, 0x00, 0xE0});
  test::WriteFile(empty, {});
  const std::pair<fs::path, std::string> cases[] = {
      {video, "Not a JPEG, PNG or WebP file: starts with 0x1a 0x45 0xdf"},
      {oversize, "File of 268435457 bytes is larger than the limit of 256 MB"},
      {tiny, "Not a JPEG, PNG or WebP file: starts with 0xff 0xd8"},
      {nearly, "Not a JPEG, PNG or WebP file: starts with 0xff 0xd8 0x00"},
      {empty, "Empty input file"},
  };
  for (const auto& [file, message] : cases) {
    try {
      w.Image.SetFileName(file.string());
      ADD_FAILURE() << file;
    } catch (const EJPEGException& e) {
      EXPECT_EQ(std::string(e.what()), message);
      EXPECT_EQ(e.Kind(), TDecodeFailure::Unsupported) << file;
    }
    EXPECT_EQ(w.Image.FileName(), file.string());
    EXPECT_EQ(w.Image.Picture().Width(), 30);
    w.Image.SetGrayScale(!w.Image.GrayScale());  // decodes the previous file's copy
    EXPECT_EQ(w.Image.Picture().Width(), 30) << file << " was read into the stored copy";
  }
}

// Out of memory is no damage: std::bad_alloc leaves the decode as it is, for the caller to
// skip the picture, with the decompression object and every buffer released (the leak checker
// runs at exit) and the previous picture kept.
TEST(JpgImg, OutOfMemoryPassesThroughAndLeaksNothing) {
  const fs::path dir = test::TestDir();
  TWatched w;
  w.Image.SetNumOfColors(TNumOfColors::TrueColor);
  w.Image.SetFileName(WriteJpeg(dir, "a.jpg", Sized(40, 40)).string());
  const TByteBuffer before = w.Image.Picture().BmpImage();
  w.Image.SetOnProgress([](TCustomJPEGImage&) { throw std::bad_alloc(); });
  EXPECT_THROW(w.Image.SetFileName(WriteJpeg(dir, "b.jpg", Sized(50, 50)).string()), std::bad_alloc);
  EXPECT_EQ(w.Image.Picture().BmpImage(), before);
  w.Image.SetOnProgress(nullptr);
  w.Image.SetGrayScale(true);
  EXPECT_EQ(w.Image.Picture().Width(), 50) << "the new copy is stored and decodes";
}

// The fit is only stored; the next decode uses it, and the default is full size.
TEST(JpgImg, WallpaperFitIsStoredWithoutDecodingAndScalesTheNextDecode) {
  const fs::path dir = test::TestDir();
  TWatched w;
  w.Image.SetNumOfColors(TNumOfColors::TrueColor);
  EXPECT_EQ(w.Image.WallpaperFit().Style, TWallpaperStyle::None);
  w.Image.SetFileName(WriteJpeg(dir, "a.jpg", Sized(800, 600)).string());
  EXPECT_EQ(w.Image.Picture().Width(), 800);
  const int repaints = w.Repaints;
  w.Image.SetWallpaperFit({TWallpaperStyle::Fill, 200, 100});
  EXPECT_EQ(w.Repaints, repaints);
  EXPECT_EQ(w.Image.Picture().Width(), 800) << "setting the fit decodes nothing";
  w.Image.SetFileName(WriteJpeg(dir, "b.jpg", Sized(800, 600)).string());
  EXPECT_EQ(w.Image.Picture().Width(), 200);
  EXPECT_EQ(w.Image.Picture().Height(), 150);
  w.Image.SetWallpaperFit({});
  w.Image.SetFileName((dir / "b.jpg").string());
  EXPECT_EQ(w.Image.Picture().Width(), 800);
}

}  // namespace
}  // namespace tarvell
