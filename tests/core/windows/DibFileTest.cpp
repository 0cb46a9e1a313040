#include "base/WholeFile.h"
#include "windows/DibFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace tarvell {
namespace {

void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

// A packed bitmap as a resource compiler stores it: information header, colours, rows.
std::vector<std::uint8_t> PackedDib(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t colors,
                                    std::uint32_t compression = 0) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
  const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
  const std::uint32_t masks = compression == 3 ? 12 : 0;
  const std::uint32_t entries = colors != 0 ? colors : bits <= 8 ? 1u << bits : 0u;
  std::vector<std::uint8_t> dib(40 + masks + entries * 4 + stride * rows, 0x5A);
  Set32(dib, 0, 40);
  Set32(dib, 4, static_cast<std::uint32_t>(width));
  Set32(dib, 8, static_cast<std::uint32_t>(height));
  dib[12] = 1;
  dib[13] = 0;
  dib[14] = static_cast<std::uint8_t>(bits);
  dib[15] = 0;
  Set32(dib, 16, compression);
  Set32(dib, 20, stride * rows);
  Set32(dib, 24, 2835);
  Set32(dib, 28, 2835);
  Set32(dib, 32, colors);
  Set32(dib, 36, 0);
  return dib;
}

std::vector<std::uint8_t> Convert(const std::vector<std::uint8_t>& dib) {
  return BmpFileFromPackedDib(dib.data(), dib.size());
}

TEST(DibFile, FileHeaderPointsAtThePixelsAfterTheColourTable) {
  struct TCase {
    std::int32_t Width, Height;
    std::uint16_t Bits;
    std::uint32_t ColorsUsed, Compression, PixelsAt;
  };
  const TCase cases[] = {
      {406, 300, 8, 256, 0, 14 + 40 + 1024},
      {406, 300, 8, 0, 0, 14 + 40 + 1024},  // 0 colours used: the full table for the depth
      {5, 3, 8, 16, 0, 14 + 40 + 64},       // a shorter table
      {7, 2, 4, 0, 0, 14 + 40 + 64},
      {9, 9, 1, 0, 0, 14 + 40 + 8},
      {3, 5, 24, 0, 0, 14 + 40},
      {3, -5, 24, 0, 0, 14 + 40},      // top-down rows
      {3, 5, 32, 0, 3, 14 + 40 + 12},  // bit-field masks after a 40-byte header
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << "x" << c.Height << "x" << c.Bits);
    const auto dib = PackedDib(c.Width, c.Height, c.Bits, c.ColorsUsed, c.Compression);
    // The file header (its size, nothing reserved, where the pixels are), then the bitmap's
    // bytes unchanged.
    std::vector<std::uint8_t> expected{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Set32(expected, 2, static_cast<std::uint32_t>(dib.size() + 14));
    Set32(expected, 10, c.PixelsAt);
    expected.insert(expected.end(), dib.begin(), dib.end());
    EXPECT_EQ(Convert(dib), expected);
  }
}

// The committed About picture, stripped of its file header as the resource compiler does,
// comes back byte for byte.
TEST(DibFile, AboutPictureRoundTrips) {
  const std::string bytes = ReadWholeFile(TARVELL_SOURCE_DIR "/resources/About.bmp").value_or(std::string());
  const std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
  ASSERT_GT(file.size(), 14u);
  const std::vector<std::uint8_t> dib(file.begin() + 14, file.end());
  EXPECT_EQ(Convert(dib), file);
}

// A damaged resource must be refused, not read past its end by whoever paints it.
TEST(DibFile, RefusesBitmapsThatDoNotFitTheirBytes) {
  const auto good = PackedDib(10, 10, 8, 256);
  ASSERT_FALSE(Convert(good).empty());
  EXPECT_TRUE(BmpFileFromPackedDib(nullptr, 0).empty());
  EXPECT_TRUE(BmpFileFromPackedDib(good.data(), 39).empty()) << "shorter than a header";

  struct TDamage {
    const char* What;
    std::size_t At;  // offset of a 32-bit field, or of a byte when Byte is set
    std::uint32_t Value;
    bool Byte = false;
  };
  const TDamage damages[] = {
      {"taller than its rows", 8, 11},
      {"stride times rows wraps in 32 bits", 4, 0x7FFFFFFF},
      {"height that has no absolute value", 8, 0x80000000u},
      {"zero width", 4, 0},
      {"more colours than the depth has", 32, 257},
      {"header past the end", 0, static_cast<std::uint32_t>(good.size() + 1)},
      {"old core header", 0, 12},
      {"run-length coded rows", 16, 1},
      {"depth 7", 14, 7, true},
      {"two planes", 12, 2, true},
  };
  for (const TDamage& d : damages) {
    auto dib = good;
    if (d.Byte) {
      dib.at(d.At) = static_cast<std::uint8_t>(d.Value);
    } else {
      Set32(dib, d.At, d.Value);
    }
    EXPECT_TRUE(Convert(dib).empty()) << d.What;
  }

  auto truncated = good;
  truncated.pop_back();
  EXPECT_TRUE(Convert(truncated).empty()) << "last row cut short";

  auto hugeTable = PackedDib(10, 10, 24, 0);
  Set32(hugeTable, 32, 0x40000000u);  // the colour table's size wraps in 32 bits
  EXPECT_TRUE(Convert(hugeTable).empty());
}

}  // namespace
}  // namespace tarvell
