// PNG and WebP test pictures made on the spot with ImageMagick and libwebp's tools, and their
// reference decodes by those tools, for the PNG and WebP decode tests.
#pragma once

#include "jpeg/DecodePicture.h"
#include "picture/ScaleChoice.h"
#include "tests/support/PictureSamples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tarvell::test {

// The plasma every sample is cut from: 37 x 23, so that rows need pad bytes.
inline const std::string Plasma = "-seed 3 -size 37x23 plasma:fractal";

inline int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

// Runs ImageMagick's convert with the arguments, writing out (after a format prefix such as
// "PNG24:" that ends them); fails the test when it fails.
inline std::filesystem::path Convert(const std::string& args, const std::filesystem::path& out) {
  const char* gap = !args.empty() && args.back() == ':' ? "" : " ";
  EXPECT_EQ(Shell("convert " + args + gap + "'" + out.string() + "'"), 0) << args;
  return out;
}

// The reference decode: width, height and 16-bit red, green, blue, alpha top-down.
struct TRgba16 {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint16_t> Pixels;
};

// ImageMagick's decode of any picture file (a PAM from dwebp included) at 16 bits.
inline TRgba16 ReferenceRgba(const std::filesystem::path& file) {
  TRgba16 r;
  const std::filesystem::path raw = file.string() + ".rgba";
  const std::string q = "'" + file.string() + "'";
  FILE* size = ::popen(("identify -format '%w %h' " + q + "[0]").c_str(), "r");
  EXPECT_NE(size, nullptr);
  if (size == nullptr) return r;
  EXPECT_EQ(std::fscanf(size, "%d %d", &r.Width, &r.Height), 2) << file;
  ::pclose(size);
  EXPECT_EQ(Shell("convert " + q + "[0] -alpha on -depth 16 -endian MSB rgba:'" + raw.string() + "'"), 0) << file;
  const Bytes bytes = ReadFile(raw);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) r.Pixels.push_back(std::uint16_t(bytes[i] << 8 | bytes[i + 1]));
  EXPECT_EQ(r.Pixels.size(), std::size_t(r.Width) * r.Height * 4) << file;
  return r;
}

// The same composition over the background as the program's: exact, rounded once to 8 bits.
inline Bytes ComposedRgb(const TRgba16& picture, TRgbColour background) {
  Bytes rgb;
  const std::uint32_t bg[3] = {background.Red * 257u, background.Green * 257u, background.Blue * 257u};
  for (std::size_t i = 0; i < picture.Pixels.size(); i += 4) {
    const std::uint64_t alpha = picture.Pixels[i + 3];
    for (int c = 0; c < 3; ++c) {
      const std::uint64_t v = (picture.Pixels[i + c] * alpha + bg[c] * (65535 - alpha) + 32767) / 65535;
      rgb.push_back(std::uint8_t((v + 128) / 257));
    }
  }
  return rgb;
}

// A 24-bit bottom-up BMP file image as red, green, blue top-down, with its size.
struct TRgb8 {
  int Width = 0;
  int Height = 0;
  Bytes Pixels;
  bool operator==(const TRgb8&) const = default;
};

inline TRgb8 BmpRgb(const TByteBuffer& bmp) {
  TRgb8 r;
  if (bmp.size() < 54 || Le32(bmp, 28) != 24) {
    ADD_FAILURE() << "not a 24-bit BMP";
    return r;
  }
  r.Width = int(Le32(bmp, 18));
  r.Height = int(Le32(bmp, 22));
  const std::size_t stride = (std::size_t(r.Width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(bmp.size(), 54 + stride * r.Height);
  for (int y = r.Height - 1; y >= 0; --y) {
    for (int x = 0; x < r.Width; ++x) {
      const std::uint8_t* p = &bmp[54 + stride * y + 3 * x];
      r.Pixels.insert(r.Pixels.end(), {p[2], p[1], p[0]});
    }
    for (std::size_t pad = std::size_t(r.Width) * 3; pad < stride; ++pad) EXPECT_EQ(bmp[54 + stride * y + pad], 0);
  }
  return r;
}

inline TRgb8 Expected(const std::filesystem::path& reference, TRgbColour background) {
  const TRgba16 r = ReferenceRgba(reference);
  return {r.Width, r.Height, ComposedRgb(r, background)};
}

inline TRgb8 Decoded(const std::filesystem::path& file, const TWallpaperFit& fit = {}) {
  TDecodeOptions options;
  options.NumOfColors = TNumOfColors::TrueColor;
  options.Fit = fit;
  return BmpRgb(DecodePictureToBmp(ReadFile(file), options));
}

inline std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// A PNG chunk of the type with the data, its CRC right.
inline Bytes PngChunk(const char* type, const Bytes& data) {
  Bytes chunk;
  const auto n = std::uint32_t(data.size());
  chunk.insert(chunk.end(), {std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)});
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  const std::uint32_t crc = Crc32(chunk.data() + 4, chunk.size() - 4);
  chunk.insert(chunk.end(),
               {std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8), std::uint8_t(crc)});
  return chunk;
}

// Where the first chunk of the type starts in the PNG file (its length field); npos without one.
inline std::size_t FindPngChunk(const Bytes& png, const char* type) {
  for (std::size_t pos = 8; pos + 12 <= png.size();) {
    if (std::equal(type, type + 4, png.begin() + std::ptrdiff_t(pos) + 4)) return pos;
    pos += 12 + (std::size_t(png[pos]) << 24 | std::size_t(png[pos + 1]) << 16 | std::size_t(png[pos + 2]) << 8 |
                 png[pos + 3]);
  }
  return std::string::npos;
}

// The PNG with the chunk put in before its first chunk of the type before.
inline Bytes InsertPngChunk(Bytes png, const Bytes& chunk, const char* before = "IDAT") {
  const std::size_t at = FindPngChunk(png, before);
  EXPECT_NE(at, std::string::npos);
  png.insert(png.begin() + std::ptrdiff_t(at), chunk.begin(), chunk.end());
  return png;
}

}  // namespace tarvell::test
