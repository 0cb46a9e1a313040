#include "picture/DecodePng.h"
#include "picture/DecodeWebp.h"
#include "picture/DecodeError.h"
#include "jpeg/JpgImg.h"
#include "picture/PictureFormat.h"
#include "tests/support/PngWebpSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarvell {
namespace {

namespace fs = std::filesystem;
using namespace test;

constexpr TRgbColour Teal{10, 200, 30};

std::string FailureOf(const Bytes& file, TDecodeFailure* kind = nullptr) {
  try {
    (void)DecodePictureToBmp(file, TDecodeOptions{});
    return "(decoded)";
  } catch (const EJPEGException& e) {
    if (kind != nullptr) *kind = e.Kind();
    return e.what();
  }
}

TEST(PictureFormat, KnownByTheFirstBytesOnly) {
  const std::pair<Bytes, TPictureFormat> cases[] = {
      {{0xFF, 0xD8, 0xFF}, TPictureFormat::Jpeg},
      {{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, TPictureFormat::Png},
      {{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A}, TPictureFormat::Unknown},
      {{'R', 'I', 'F', 'F', 1, 2, 3, 4, 'W', 'E', 'B', 'P'}, TPictureFormat::Webp},
      {{'R', 'I', 'F', 'F', 1, 2, 3, 4, 'W', 'A', 'V', 'E'}, TPictureFormat::Unknown},
      {{0xFF, 0xD8, 0x00}, TPictureFormat::Unknown},
      {{}, TPictureFormat::Unknown},
  };
  for (const auto& [bytes, format] : cases) {
    EXPECT_EQ(RecognisePicture(bytes.data(), bytes.size()), format) << bytes.size();
  }
}

// Every kind of PNG the library reads, against ImageMagick's decode composed the same way.
TEST(DecodePng, EachKindAgreesWithTheReferenceDecoder) {
  const fs::path dir = TestDir();
  const std::string alpha = " -alpha set -channel A -fx 'i/w' +channel ";
  const std::pair<const char*, std::string> kinds[] = {
      {"rgb8", Plasma + " PNG24:"},
      {"rgb16", Plasma + " -depth 16 PNG48:"},
      {"rgba8", Plasma + alpha + "PNG32:"},
      {"rgba16-interlaced", Plasma + alpha + "-depth 16 -interlace PNG PNG64:"},
      {"palette-trns", Plasma + " -alpha set -channel A -fx 'i>18?1:0' +channel PNG8:"},
      {"palette-interlaced", Plasma + " -colors 7 -interlace PNG PNG8:"},
      {"grey2", Plasma + " -colorspace Gray -depth 2 PNG:"},
      {"grey1-interlaced", Plasma + " -colorspace Gray -depth 1 -interlace PNG PNG:"},
      {"grey16", Plasma + " -colorspace Gray -depth 16 PNG:"},
      {"grey-alpha", Plasma + " -colorspace Gray" + alpha + "-depth 8 PNG:"},
  };
  for (const auto& [name, args] : kinds) {
    const fs::path png = Convert(args, dir / (std::string(name) + ".png"));
    EXPECT_EQ(Decoded(png, {TWallpaperStyle::None, 0, 0, Teal}), Expected(png, Teal)) << name;
  }
}

// Reduced while decoded, row by row or (interlaced) pixel by pixel: 8 x 8 blocks of one colour
// reduced to an eighth are each block's colour, as the reference decoder's box scaling gives.
TEST(DecodePng, ScreenSizedDecodeAveragesWholeBlocks) {
  const fs::path dir = TestDir();
  for (const char* interlace : {"None", "PNG"}) {
    const fs::path png =
        Convert("-seed 5 -size 12x7 plasma:fractal -scale 800% -interlace " + std::string(interlace) + " PNG24:",
                dir / (std::string(interlace) + ".png"));
    const fs::path small = Convert("'" + png.string() + "' -scale 12x7!", dir / (std::string(interlace) + "-ref.png"));
    EXPECT_EQ(Decoded(png, {TWallpaperStyle::Fill, 12, 7}), Expected(small, {})) << interlace;
    // Not a whole eighth: the size is rounded up, as for JPEG.
    const TRgb8 third = Decoded(png, {TWallpaperStyle::Fit, 30, 100});
    EXPECT_EQ(third.Width, 36) << interlace;
    EXPECT_EQ(third.Height, 21) << interlace;
  }
  // Row by row and pixel by pixel (interlaced) reduce alike, also where groups are uneven
  // (3/8 of 37 x 23) and the picture is turned.
  for (const char* exif : {"", "6"}) {
    std::vector<TRgb8> reduced;
    for (const char* interlace : {"None", "PNG"}) {
      const fs::path png = Convert(Plasma + " -interlace " + interlace + " PNG24:", dir / "plasma.png");
      Bytes bytes = ReadFile(png);
      if (*exif != 0) {
        const Bytes block = OrientationExif(6);
        bytes = InsertPngChunk(bytes, PngChunk("eXIf", Bytes(block.begin() + 6, block.end())));
      }
      WriteFile(dir / "plasma.png", bytes);
      reduced.push_back(Decoded(dir / "plasma.png", {TWallpaperStyle::Fill, 10, 6}));
    }
    EXPECT_EQ(reduced[0], reduced[1]) << exif;
    EXPECT_EQ(reduced[0].Width, *exif != 0 ? 12 : 14);
  }
}

// The eXIf chunk turns the picture, before or after the pixel data; each way against
// ImageMagick's turn of the upright picture.
TEST(DecodePng, ExifChunkTurnsThePicture) {
  const fs::path dir = TestDir();
  const fs::path upright = Convert(Plasma + " PNG24:", dir / "up.png");
  const char* turns[] = {"",           "",           "-flop",       "-rotate 180", "-flip",
                         "-transpose", "-rotate 90", "-transverse", "-rotate 270"};
  for (int o = 2; o <= 8; ++o) {
    const Bytes tiff = [&] {
      Bytes exif = OrientationExif(o, o % 2 == 0);
      return Bytes(exif.begin() + 6, exif.end());  // eXIf holds the TIFF block alone
    }();
    const fs::path turned = dir / ("o" + std::to_string(o) + ".png");
    WriteFile(turned, InsertPngChunk(ReadFile(upright), PngChunk("eXIf", tiff), o < 5 ? "IDAT" : "IEND"));
    const fs::path reference =
        Convert("'" + upright.string() + "' " + turns[o], dir / ("r" + std::to_string(o) + ".png"));
    EXPECT_EQ(Decoded(turned), Expected(reference, {})) << o;
    EXPECT_EQ(PngExifOrientation(ReadFile(turned).data(), ReadFile(turned).size()), o);
  }
}

// An animated PNG shows its first frame: the still image when that is the first frame, else
// the first frame's own data (fdAT), the still image being no part of the animation.
TEST(DecodePng, AnimatedPngShowsItsFirstFrame) {
  const fs::path dir = TestDir();
  const fs::path first = Convert(Plasma + " PNG24:", dir / "first.png");
  const fs::path second = Convert(Plasma + " -negate PNG24:", dir / "second.png");
  const Bytes two = ReadFile(second);
  const std::size_t idat = FindPngChunk(two, "IDAT");
  const auto be32 = [](std::uint32_t v) {
    return Bytes{std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
  };
  const std::size_t length =
      std::size_t(two[idat]) << 24 | std::size_t(two[idat + 1]) << 16 | std::size_t(two[idat + 2]) << 8 | two[idat + 3];
  const Bytes idatData(two.begin() + std::ptrdiff_t(idat + 8), two.begin() + std::ptrdiff_t(idat + 8 + length));
  const auto fctl = [&](std::uint32_t sequence) {
    Bytes d = be32(sequence);
    for (std::uint32_t v : {37u, 23u, 0u, 0u}) {
      const Bytes b = be32(v);
      d.insert(d.end(), b.begin(), b.end());
    }
    d.insert(d.end(), {0, 1, 0, 10, 0, 0});  // 1/10 s, no disposal, no blending
    return PngChunk("fcTL", d);
  };
  Bytes actl = be32(2);
  actl.insert(actl.end(), {0, 0, 0, 0});
  Bytes apng = InsertPngChunk(ReadFile(first), PngChunk("acTL", actl));
  apng = InsertPngChunk(apng, fctl(0));
  Bytes fdat = be32(2);
  fdat.insert(fdat.end(), idatData.begin(), idatData.end());
  apng = InsertPngChunk(apng, fctl(1), "IEND");
  apng = InsertPngChunk(apng, PngChunk("fdAT", fdat), "IEND");
  WriteFile(dir / "anim.png", apng);
  EXPECT_EQ(Decoded(dir / "anim.png"), Expected(first, {}));

  Bytes apart = InsertPngChunk(ReadFile(first), PngChunk("acTL", actl));
  fdat = be32(1);
  fdat.insert(fdat.end(), idatData.begin(), idatData.end());
  apart = InsertPngChunk(apart, fctl(0), "IEND");
  apart = InsertPngChunk(apart, PngChunk("fdAT", fdat), "IEND");
  WriteFile(dir / "apart.png", apart);
  EXPECT_EQ(Decoded(dir / "apart.png"), Expected(second, {}));
}

// Regression: a file over 32 MB was refused ("invalid argument"), its size given to the library
// as a chunk limit above the memory limit. A private chunk of 40 MB makes one here.
TEST(DecodePng, AFileLargerThanTheChunkMemoryLimitDecodes) {
  const fs::path dir = TestDir();
  const fs::path png = Convert(Plasma + " PNG24:", dir / "a.png");
  WriteFile(dir / "big.png", InsertPngChunk(ReadFile(png), PngChunk("prIv", Bytes(40u << 20, 7))));
  EXPECT_EQ(Decoded(dir / "big.png"), Expected(png, {}));
}

// Damage in the middle is Damaged; what the decoder does not know is Unsupported; a claimed
// size over the cap is refused before the pixels are read.
TEST(DecodePng, DamageAndUnknownFeaturesAreToldApart) {
  const fs::path dir = TestDir();
  const Bytes good = ReadFile(Convert(Plasma + " -interlace PNG PNG24:", dir / "good.png"));
  const std::size_t idat = FindPngChunk(good, "IDAT");
  Bytes flipped = good;
  flipped[idat + 20] ^= 0x55;
  Bytes huge = good;
  for (std::size_t i : {16u, 20u}) huge[i] = 0, huge[i + 1] = 0, huge[i + 2] = 0xEA, huge[i + 3] = 0x60;  // 60000
  const std::uint32_t crc = Crc32(&huge[12], 17);
  for (int i = 0; i < 4; ++i) huge[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
  const std::tuple<const char*, Bytes, TDecodeFailure> cases[] = {
      {"cut in the pixel data", Bytes(good.begin(), good.begin() + std::ptrdiff_t(idat + 60)), TDecodeFailure::Damaged},
      {"a pixel-data byte changed", flipped, TDecodeFailure::Damaged},
      {"an unknown critical chunk", InsertPngChunk(good, PngChunk("ZZZZ", {1, 2, 3})), TDecodeFailure::Unsupported},
      {"60000 x 60000", huge, TDecodeFailure::Unsupported},
  };
  for (const auto& [name, bytes, kind] : cases) {
    TDecodeFailure got = TDecodeFailure::Damaged;
    const std::string message = FailureOf(bytes, &got);
    EXPECT_NE(message, "(decoded)") << name;
    EXPECT_EQ(got, kind) << name << ": " << message;
  }
  EXPECT_EQ(FailureOf(huge), "Picture of 60000 x 60000 pixels exceeds the limit of 250 megapixels");
  EXPECT_EQ(FailureOf(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}),
            "Not a JPEG, PNG or WebP file: starts with 0x52 0x49 0x46");
}

// Lossy and lossless, with and without alpha, still and animated, full and screen-sized,
// against dwebp's decode (ImageMagick's for lossless, whose pixels are the source's).
TEST(DecodeWebp, EachKindAgreesWithTheReferenceDecoder) {
  const fs::path dir = TestDir();
  const fs::path opaque = Convert(Plasma + " PNG24:", dir / "opaque.png");
  const fs::path alpha = Convert(Plasma + " -alpha set -channel A -fx 'i/w' +channel PNG32:", dir / "alpha.png");
  const fs::path other = Convert(Plasma + " -negate PNG24:", dir / "other.png");
  const auto webp = [&](const std::string& tool, const std::string& name) {
    EXPECT_EQ(Shell(tool + " -o '" + (dir / name).string() + "'"), 0) << tool;
    return dir / name;
  };
  const auto dwebp = [&](const fs::path& file, const std::string& options) {
    const fs::path pam = file.string() + std::to_string(options.size()) + ".pam";
    EXPECT_EQ(Shell("dwebp '" + file.string() + "' " + options + " -pam -o '" + pam.string() + "'"), 0);
    return pam;
  };
  const fs::path lossy = webp("cwebp -q 80 '" + opaque.string() + "'", "lossy.webp");
  const fs::path lossyAlpha = webp("cwebp -q 80 -alpha_q 50 '" + alpha.string() + "'", "lossy-alpha.webp");
  const fs::path lossless = webp("cwebp -lossless '" + alpha.string() + "'", "lossless.webp");
  const fs::path anim = webp("img2webp -lossless '" + opaque.string() + "' '" + other.string() + "'", "anim.webp");
  const TWallpaperFit teal{TWallpaperStyle::None, 0, 0, Teal};
  const TWallpaperFit fill{TWallpaperStyle::Fill, 10, 6, Teal};  // 3/8: 14 x 9
  EXPECT_EQ(Decoded(lossy), Expected(dwebp(lossy, ""), {}));
  EXPECT_EQ(Decoded(lossyAlpha, teal), Expected(dwebp(lossyAlpha, ""), Teal));
  EXPECT_EQ(Decoded(lossless, teal), Expected(alpha, Teal));
  EXPECT_EQ(Decoded(anim), Expected(opaque, {}));
  EXPECT_EQ(Decoded(lossy, fill), Expected(dwebp(lossy, "-scale 14 9"), {}));
  EXPECT_EQ(Decoded(lossyAlpha, fill), Expected(dwebp(lossyAlpha, "-scale 14 9"), Teal));
  // A first frame smaller than the canvas: the rest of the canvas is the background.
  const fs::path small = Convert(Plasma + " -crop 20x11+0+0 +repage PNG24:", dir / "small.png");
  const fs::path smallWebp = webp("cwebp -lossless '" + small.string() + "'", "small.webp");
  const fs::path otherWebp = webp("cwebp -lossless '" + other.string() + "'", "other.webp");
  const fs::path partial =
      webp("webpmux -frame '" + smallWebp.string() + "' +100+10+6 -frame '" + otherWebp.string() + "' +100 -loop 0",
           "partial.webp");
  const fs::path placed = Convert(
      "-size 37x23 xc:'rgb(10,200,30)' '" + small.string() + "' -geometry +10+6 -composite PNG24:", dir / "placed.png");
  EXPECT_EQ(Decoded(partial, teal), Expected(placed, {}));
}

// The EXIF chunk (with or without the "Exif\0\0" signature some writers put first) turns it.
TEST(DecodeWebp, ExifChunkTurnsThePicture) {
  const fs::path dir = TestDir();
  const fs::path upright = Convert(Plasma + " PNG24:", dir / "up.png");
  ASSERT_EQ(Shell("cwebp -lossless '" + upright.string() + "' -o '" + (dir / "up.webp").string() + "'"), 0);
  for (const auto& [o, turn] : {std::pair{6, "-rotate 90"}, std::pair{3, "-rotate 180"}, std::pair{7, "-transverse"}}) {
    Bytes exif = OrientationExif(o, o == 3);
    if (o != 7) exif.erase(exif.begin(), exif.begin() + 6);
    WriteFile(dir / "exif.bin", exif);
    const fs::path turned = dir / ("o" + std::to_string(o) + ".webp");
    ASSERT_EQ(Shell("webpmux -set exif '" + (dir / "exif.bin").string() + "' '" + (dir / "up.webp").string() +
                    "' -o '" + turned.string() + "'"),
              0);
    EXPECT_EQ(Decoded(turned), Expected(Convert("'" + upright.string() + "' " + turn, dir / "ref.png"), {})) << o;
  }
}

TEST(DecodeWebp, DamageIsDamagedAndTheCapHolds) {
  const fs::path dir = TestDir();
  const fs::path png = Convert(Plasma + " PNG24:", dir / "a.png");
  ASSERT_EQ(Shell("cwebp -q 70 '" + png.string() + "' -o '" + (dir / "a.webp").string() + "'"), 0);
  const Bytes good = ReadFile(dir / "a.webp");
  TDecodeFailure kind = TDecodeFailure::Unsupported;
  EXPECT_NE(FailureOf(Bytes(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2)), &kind), "(decoded)");
  EXPECT_EQ(kind, TDecodeFailure::Damaged);
  TDecodeOptions small;
  small.MaxMegapixels = 0;  // below any picture: refused before decoding
  try {
    (void)DecodeWebpToBmp(good, small);
    ADD_FAILURE() << "decoded over the cap";
  } catch (const EJPEGException& e) {
    EXPECT_EQ(std::string(e.what()), "Picture of 37 x 23 pixels exceeds the limit of 0 megapixels");
    EXPECT_EQ(e.Kind(), TDecodeFailure::Unsupported);
  }
}

// A ".jpg" that holds a PNG is shown as the PNG it is.
TEST(JpgImg, AJpgNamedPngIsShownAsWhatItIs) {
  const fs::path dir = TestDir();
  const fs::path png = Convert(Plasma + " PNG24:", dir / "a.png");
  fs::copy_file(png, dir / "really-a-png.jpg");
  TJPEGImage image;
  image.SetNumOfColors(TNumOfColors::TrueColor);
  image.SetFileName((dir / "really-a-png.jpg").string());
  EXPECT_EQ(BmpRgb(image.Picture().BmpImage()), Expected(png, {}));
}

// Regression corpora: libpng's PngSuite and libwebp's test pictures, where tools/setup.sh
// unpacked them. Each file decodes or fails cleanly under the sanitizers; PngSuite's
// deliberately broken files (named x...) fail.
TEST(DecodePngWebp, RegressionCorporaDecodeOrFailCleanly) {
  const fs::path src = fs::path(TARVELL_SOURCE_DIR) / "build" / "deps" / "src";
  std::vector<fs::path> files;
  if (fs::exists(src)) {
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
      const std::string path = entry.path().string();
      const bool png = path.find("pngsuite") != std::string::npos && entry.path().extension() == ".png";
      const bool webp = path.find("libwebp") != std::string::npos && entry.path().extension() == ".webp";
      if (entry.is_regular_file() && (png || webp)) files.push_back(entry.path());
    }
  }
  if (files.empty()) GTEST_SKIP() << "no corpus under " << src << " (tools/setup.sh unpacks it)";
  int decoded = 0;
  for (const fs::path& file : files) {
    for (const TWallpaperFit& fit : {TWallpaperFit{}, TWallpaperFit{TWallpaperStyle::Fill, 7, 5}}) {
      TDecodeOptions options;
      options.Fit = fit;
      try {
        const TByteBuffer bmp = DecodePictureToBmp(ReadFile(file), options);
        EXPECT_FALSE(file.filename().string().starts_with("x")) << file << " is broken but decoded";
        ++decoded;
      } catch (const EJPEGException&) {}
    }
  }
  EXPECT_GT(decoded, int(files.size()));
}

}  // namespace
}  // namespace tarvell
