// ReadPictureShape against the real decode: the header's shape is the shape the decode shows.
#include "picture/PictureHeader.h"
#include "picture/DecodeError.h"
#include "tests/support/PngWebpSamples.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <ostream>

namespace tarvell {

void PrintTo(const TPictureShape& shape, std::ostream* os) { *os << shape.Width << " x " << shape.Height; }

namespace {

namespace fs = std::filesystem;
using namespace test;
using TShape = std::optional<TPictureShape>;

TShape HeadShape(const Bytes& file) {
  return ReadPictureShape(std::span(file).first(std::min(file.size(), PictureHeadBytes)));
}

// The decoded bitmap's width and height; nothing when the decoder refuses the file.
TShape DecodedShape(const Bytes& file) {
  try {
    const TByteBuffer bmp = DecodePictureToBmp(file, TDecodeOptions{});
    return TPictureShape{Le32(bmp, 18), Le32(bmp, 22)};
  } catch (const EJPEGException&) {
    return std::nullopt;
  }
}

TEST(PictureHeader, PngSuiteShapesAreTheDecodedOnes) {
  const fs::path src = fs::path(TARVELL_SOURCE_DIR) / "build" / "deps" / "src";
  int compared = 0;
  for (const auto& entry :
       fs::exists(src) ? fs::recursive_directory_iterator(src) : fs::recursive_directory_iterator()) {
    if (entry.path().string().find("pngsuite") == std::string::npos || entry.path().extension() != ".png") continue;
    const Bytes file = ReadFile(entry.path());
    if (const TShape decoded = DecodedShape(file)) {
      EXPECT_EQ(HeadShape(file), decoded) << entry.path();
      ++compared;
    }
  }
  if (compared == 0) GTEST_SKIP() << "no PngSuite under " << src << " (tools/setup.sh unpacks it)";
}

Bytes Jpeg(std::vector<std::pair<int, Bytes>> markers, bool progressive = false) {
  TJpegSample sample;
  sample.Width = 40;
  sample.Height = 24;
  sample.Progressive = progressive;
  sample.Markers = std::move(markers);
  return MakeJpeg(sample);
}

Bytes App1(int orientation) { return OrientationExif(orientation, orientation % 2 == 0); }

// The segment put in right after the frame header, where the decoder still keeps APP1 segments.
Bytes AfterFrameHeader(Bytes jpeg, const Bytes& content) {
  const std::size_t sof = FindMarker(jpeg, 0xC0), length = content.size() + 2;
  Bytes segment{0xFF, 0xE1, std::uint8_t(length >> 8), std::uint8_t(length)};
  segment.insert(segment.end(), content.begin(), content.end());
  jpeg.insert(jpeg.begin() + std::ptrdiff_t(sof + 1 + (jpeg[sof + 1] << 8 | jpeg[sof + 2])), segment.begin(),
              segment.end());
  return jpeg;
}

// A RIFF chunk put in before the first one of the type, the RIFF size kept right.
Bytes InsertWebpChunk(Bytes webp, const char* before, const char* type, std::size_t size) {
  std::size_t at = 12;
  while (std::memcmp(&webp[at], before, 4) != 0) at += 8 + (Le32(webp, at + 4) + 1) / 2 * 2;
  Bytes chunk(8 + size, 0);
  std::memcpy(chunk.data(), type, 4);
  for (int i = 0; i < 4; ++i) chunk[4 + i] = std::uint8_t(size >> (8 * i));
  webp.insert(webp.begin() + std::ptrdiff_t(at), chunk.begin(), chunk.end());
  for (int i = 0; i < 4; ++i) webp[4 + i] = std::uint8_t((webp.size() - 8) >> (8 * i));
  return webp;
}

TEST(PictureHeader, ShapesAreTheDecodedOnesTurnedByExif) {
  const fs::path dir = TestDir();
  const fs::path pngFile = Convert(Plasma + " PNG24:", dir / "p.png");  // 37 x 23
  const Bytes png = ReadFile(pngFile);
  const auto webp = [&](const std::string& tool, const std::string& name, const Bytes* exif = nullptr) {
    const fs::path out = dir / name;
    EXPECT_EQ(Shell(tool + " '" + pngFile.string() + "' -o '" + out.string() + "'"), 0) << name;
    if (exif != nullptr) WriteFile(dir / "exif.bin", *exif);
    const std::string set = "webpmux -set exif '" + (dir / "exif.bin").string() + "' '" + out.string() + "' -o '";
    EXPECT_TRUE(exif == nullptr || Shell(set + out.string() + "'") == 0) << name;
    return ReadFile(out);
  };
  const Bytes exif6 = App1(6), tiff6(exif6.begin() + 6, exif6.end()), exif5 = App1(5);
  const Bytes lossy = webp("cwebp -q 80", "lossy.webp"), lossless = webp("cwebp -lossless", "lossless.webp");
  const Bytes turnedLossless = webp("cwebp -lossless", "lossless6.webp", &tiff6);
  Bytes scaleBits = lossy, unflagged = turnedLossless, overlong = turnedLossless, badExifFirst = App1(6);
  scaleBits[27] |= 0xC0;
  unflagged[20] &= std::uint8_t(~0x08);  // VP8X says there is no EXIF: the decoder reads none
  overlong[overlong.size() - 1 - tiff6.size() - tiff6.size() % 2] = 0x7F;  // the EXIF chunk's size
  const Bytes exifPastHead = InsertWebpChunk(turnedLossless, "VP8L", "ZZZZ", PictureHeadBytes);
  badExifFirst[6] = 'X';  // the first EXIF block is the decoder's, even when its TIFF is bad

  const TPictureShape wide{40, 24}, tall{24, 40}, png37{37, 23}, png23{23, 37};
  std::vector<std::pair<int, Bytes>> threeBig(3, {JPEG_APP0 + 2, Bytes(65533, 7)}), fiveBig(5, threeBig[0]);
  threeBig.push_back({JPEG_APP0 + 1, App1(6)});
  std::vector<std::tuple<std::string, Bytes, TShape>> cases = {
      {"jpeg progressive 8", Jpeg({{JPEG_APP0 + 1, App1(8)}}, true), tall},
      {"jpeg big segments first", Jpeg(threeBig), tall},
      {"jpeg frame header past the head", Jpeg(fiveBig), std::nullopt},
      {"jpeg exif after the frame header", AfterFrameHeader(Jpeg({}), App1(7)), tall},
      {"jpeg bad exif first", Jpeg({{JPEG_APP0 + 1, badExifFirst}, {JPEG_APP0 + 1, App1(6)}}), wide},
      {"png", png, png37},
      {"png exif before its pixels", InsertPngChunk(png, PngChunk("eXIf", tiff6)), png23},
      {"png exif after its pixels", InsertPngChunk(png, PngChunk("eXIf", tiff6), "IEND"), png23},
      {"webp lossy", lossy, png37},
      {"webp lossy, scale bits", scaleBits, png37},
      {"webp lossless", lossless, png37},
      {"webp extended lossy exif 5", webp("cwebp -q 80", "lossy5.webp", &exif5), png23},
      {"webp extended lossless exif 6", turnedLossless, png23},
      {"webp exif not flagged", unflagged, png37},
      {"webp exif past the head", exifPastHead, std::nullopt},
  };
  for (int o = 1; o <= 8; ++o)
    cases.push_back({"jpeg " + std::to_string(o), Jpeg({{JPEG_APP0 + 1, App1(o)}}), o < 5 ? wide : tall});
  for (const auto& [name, file, shape] : cases) {
    EXPECT_EQ(HeadShape(file), shape) << name;
    if (shape) {
      EXPECT_EQ(DecodedShape(file), shape) << name;
    }
  }
  EXPECT_EQ(ReadPictureShape(exifPastHead), png23);  // the turn read once the whole file is there
  EXPECT_EQ(DecodedShape(exifPastHead), png23);

  const Bytes jpeg = Jpeg({});
  Bytes zeroWide = jpeg, badCrc = png, badStart = lossy, badVersion = lossless;
  SetDeclaredSize(zeroWide, 0, 24);
  badCrc[19] ^= 1;
  badStart[23] = 0;
  badVersion[24] |= 0x20;
  const auto cut = [](const Bytes& file, std::size_t size) {
    return Bytes(file.begin(), file.begin() + std::ptrdiff_t(size));
  };
  const Bytes damaged[] = {{},         {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0},
                           zeroWide,   cut(jpeg, FindMarker(jpeg, 0xC0) + 8),
                           badCrc,     cut(png, 32),
                           badStart,   cut(lossy, 29),
                           badVersion, cut(lossless, 24),
                           overlong};
  for (std::size_t i = 0; i < std::size(damaged); ++i) {
    EXPECT_FALSE(ReadPictureShape(damaged[i])) << i;
  }
}

}  // namespace
}  // namespace tarvell
