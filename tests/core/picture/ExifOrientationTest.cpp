#include "picture/ExifOrientation.h"

#include "jpeg/DecodeJpeg.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarvell {
namespace {

using test::Bytes;
namespace fs = std::filesystem;

using test::MakeExif;
using test::OrientationExif;

int Read(const Bytes& block) { return ReadExifOrientation(block.data(), block.size()); }

// Writes v as a 32-bit number at offset, in the block's byte order (TIFF offsets count from 6).
void Put32(Bytes& b, std::size_t offset, std::uint32_t v, bool bigEndian = false) {
  for (int i = 0; i < 4; ++i) b[offset + i] = std::uint8_t(v >> (bigEndian ? 24 - 8 * i : 8 * i));
}

TEST(ExifOrientation, ReadsEveryValueInBothByteOrders) {
  for (const bool big : {false, true}) {
    for (int o = 1; o <= 8; ++o) {
      EXPECT_EQ(Read(OrientationExif(o, big)), o) << o << (big ? " MM" : " II");
    }
  }
  EXPECT_EQ(Read(MakeExif({{0x0110, 2, 4, 0}})), 1) << "no Orientation entry";
  EXPECT_FALSE(OrientationSwapsAxes(4));
  EXPECT_TRUE(OrientationSwapsAxes(5));
  EXPECT_TRUE(OrientationSwapsAxes(8));
}

// Each block below lies somewhere; it must read as upright, and (under the address sanitizer,
// with buffers of exactly the block's size) never read past its end.
TEST(ExifOrientation, BlocksThatLieReadAsUprightWithoutReadingOutside) {
  std::vector<std::pair<std::string, Bytes>> lies;
  auto lie = [&](const std::string& what, auto change) {
    Bytes b = OrientationExif(6);
    change(b);
    lies.emplace_back(what, b);
  };
  lie("directory offset past the end", [](Bytes& b) { Put32(b, 6 + 4, static_cast<std::uint32_t>(b.size())); });
  lie("directory offset of 4 GB", [](Bytes& b) { Put32(b, 6 + 4, 0xFFFFFFFFu); });
  lie("directory offset just short of the end",
      [](Bytes& b) { Put32(b, 6 + 4, static_cast<std::uint32_t>(b.size() - 6 - 1)); });
  lie("entry count beyond the block, tag not reached", [](Bytes& b) {
    b[6 + 8] = 0xFF;
    b[6 + 9] = 0xFF;
    b.resize(6 + 8 + 2 + 12 * 2);  // cut after the second entry, before the tag
  });
  lie("byte order mark neither II nor MM", [](Bytes& b) {
    b[6] = 'I';
    b[7] = 'M';
  });
  lie("little-endian numbers under MM", [](Bytes& b) {
    b[6] = 'M';
    b[7] = 'M';
  });
  lie("wrong magic number", [](Bytes& b) { b[6 + 2] = 43; });
  lie("signature without its two zero bytes", [](Bytes& b) { b[5] = 'x'; });
  lie("cut inside the orientation entry", [](Bytes& b) { b.resize(6 + 8 + 2 + 12 * 2 + 9); });
  lie("cut inside the header", [](Bytes& b) { b.resize(6 + 5); });
  lie("signature only", [](Bytes& b) { b.resize(6); });
  lies.emplace_back("value 0", OrientationExif(0));
  lies.emplace_back("value 9", OrientationExif(9));
  lies.emplace_back("value 0x600 (wrong byte order)", OrientationExif(0x600));
  lies.emplace_back("type LONG", MakeExif({{0x0112, 4, 1, 6}}));
  lies.emplace_back("count 2", MakeExif({{0x0112, 3, 2, 6}}));
  lies.emplace_back("empty", Bytes{});
  for (const auto& [what, block] : lies) {
    // A copy of exactly the block's size, so that any read past it is caught.
    const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[block.size() + (block.empty() ? 1 : 0)]);
    std::copy(block.begin(), block.end(), exact.get());
    EXPECT_EQ(ReadExifOrientation(exact.get(), block.size()), 1) << what;
  }
  EXPECT_EQ(ReadExifOrientation(nullptr, 100), 1);
}

// A decoded BMP as a top-down grid of pixels, each pixelBytes wide.
struct TGrid {
  int Width = 0, Height = 0, PixelBytes = 0;
  Bytes Pixels;
  const std::uint8_t* At(int x, int y) const { return &Pixels[(std::size_t(y) * Width + x) * PixelBytes]; }
};

template <class ByteRange>
TGrid GridOf(const ByteRange& bmp) {
  TGrid g;
  g.Width = static_cast<int>(test::Le32(bmp, 18));
  g.Height = static_cast<int>(test::Le32(bmp, 22));
  g.PixelBytes = test::Le16(bmp, 28) / 8;
  const std::size_t start = test::Le32(bmp, 10);
  const std::size_t row = (std::size_t(g.Width) * g.PixelBytes + 3) / 4 * 4;
  for (int y = 0; y < g.Height; ++y) {
    const std::size_t at = start + row * std::size_t(g.Height - 1 - y);
    g.Pixels.insert(g.Pixels.end(), bmp.begin() + at, bmp.begin() + at + std::size_t(g.Width) * g.PixelBytes);
    for (std::size_t pad = std::size_t(g.Width) * g.PixelBytes; pad < row; ++pad) {
      EXPECT_EQ(bmp[at + pad], 0) << "pad byte of row " << y;
    }
  }
  return g;
}

// The reference turns: a quarter turn clockwise and a left-right mirror, composed as the
// EXIF values describe them.
TGrid TurnClockwise(const TGrid& g) {
  TGrid t{g.Height, g.Width, g.PixelBytes, Bytes(g.Pixels.size())};
  for (int y = 0; y < g.Height; ++y)
    for (int x = 0; x < g.Width; ++x)
      std::copy_n(g.At(x, y), g.PixelBytes, &t.Pixels[(std::size_t(x) * t.Width + (g.Height - 1 - y)) * g.PixelBytes]);
  return t;
}

TGrid MirrorLeftRight(const TGrid& g) {
  TGrid m = g;
  for (int y = 0; y < g.Height; ++y)
    for (int x = 0; x < g.Width; ++x)
      std::copy_n(g.At(x, y), g.PixelBytes, &m.Pixels[(std::size_t(y) * g.Width + (g.Width - 1 - x)) * g.PixelBytes]);
  return m;
}

TGrid Upright(TGrid g, int orientation) {
  const int quarterTurns[9] = {0, 0, 0, 2, 2, 1, 1, 3, 3};
  const bool mirror[9] = {false, false, true, false, true, true, false, true, false};
  for (int i = 0; i < quarterTurns[orientation]; ++i) g = TurnClockwise(g);
  return mirror[orientation] ? MirrorLeftRight(g) : g;
}

// Every orientation against the reference decoder's own decoding (which ignores EXIF), turned
// by the test: colour, grey and quantised rows, odd sizes so that the pad bytes move.
TEST(ExifOrientation, DecodesEveryOrientationAsTheTurnedReference) {
  const fs::path dir = test::TestDir();
  struct Case {
    int width, height, components;
    TNumOfColors colours;
    const char* djpeg;
  };
  for (const Case c : {Case{37, 22, 3, TNumOfColors::TrueColor, ""}, Case{18, 29, 1, TNumOfColors::TrueColor, ""},
                       Case{23, 14, 3, TNumOfColors::_256, "-colors 256"}}) {
    test::TJpegSample plainSample;
    plainSample.Width = c.width;
    plainSample.Height = c.height;
    plainSample.Components = c.components;
    const fs::path plainFile = dir / "plain.jpg";
    test::WriteFile(plainFile, test::MakeJpeg(plainSample));
    ASSERT_EQ(test::RunDjpeg(c.djpeg, plainFile, dir / "ref.bmp"), 0);
    const Bytes reference = test::ReadFile(dir / "ref.bmp");
    const TGrid stored = GridOf(reference);
    TDecodeOptions options;
    options.NumOfColors = c.colours;
    for (int o = 1; o <= 8; ++o) {
      test::TJpegSample sample = plainSample;
      sample.Markers.push_back({JPEG_APP0 + 1, OrientationExif(o, o % 2 == 0)});
      const Bytes jpeg = test::MakeJpeg(sample);
      const TByteBuffer ours = DecodeJpegToBmp(jpeg, options);
      const TGrid expected = Upright(stored, o);
      const TGrid shown = GridOf(ours);
      EXPECT_EQ(shown.Width, expected.Width) << "orientation " << o;
      EXPECT_EQ(shown.Height, expected.Height) << "orientation " << o;
      EXPECT_EQ(shown.Pixels, expected.Pixels) << "orientation " << o << " " << c.width << "x" << c.height;
      EXPECT_EQ(test::Le32(ours, 2), ours.size());
      // Headers before the pixels (colour table included) as the reference's, sizes aside.
      const std::size_t start = test::Le32(ours, 10);
      EXPECT_TRUE(std::equal(ours.begin() + 54, ours.begin() + start, reference.begin() + 54)) << o;
    }
  }
}

// Lying blocks, an XMP segment before the EXIF one, and upright pictures: the bytes are the
// plain decode's, or the EXIF block's turn wins over the XMP segment, densities swapped.
TEST(ExifOrientation, LyingOrAbsentBlocksDecodeExactlyAsWithoutOne) {
  test::TJpegSample plainSample;
  plainSample.Width = 21;
  plainSample.Height = 13;
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  const TByteBuffer plain = DecodeJpegToBmp(test::MakeJpeg(plainSample), options);
  Bytes farDirectory = OrientationExif(6);
  Put32(farDirectory, 6 + 4, 0x7FFFFFF0u);
  Bytes cut = OrientationExif(6);
  cut.resize(30);
  const Bytes xmp = {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 'a', 'd', 'o', 'b', 'e', '.', 'c', 'o', 'm'};
  for (const Bytes& block : {OrientationExif(1), farDirectory, cut, OrientationExif(9), xmp}) {
    test::TJpegSample sample = plainSample;
    sample.Markers.push_back({JPEG_APP0 + 1, block});
    EXPECT_EQ(DecodeJpegToBmp(test::MakeJpeg(sample), options), plain);
  }
  test::TJpegSample both = plainSample;
  both.Markers.push_back({JPEG_APP0 + 1, xmp});
  both.Markers.push_back({JPEG_APP0 + 1, OrientationExif(8)});
  both.DensityUnit = 2;
  both.XDensity = 10;
  both.YDensity = 20;
  const TByteBuffer turned = DecodeJpegToBmp(test::MakeJpeg(both), options);
  EXPECT_EQ(test::Le32(turned, 18), 13u);
  EXPECT_EQ(test::Le32(turned, 22), 21u);
  EXPECT_EQ(test::Le32(turned, 38), 2000u) << "the densities swap with the axes";
  EXPECT_EQ(test::Le32(turned, 42), 1000u);
}

}  // namespace
}  // namespace tarvell
