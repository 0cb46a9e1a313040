#include "picture/BMPReader.h"

#include "picture/BMPLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tarvell {
namespace {

// A BMP file image as the decoder writes it: headers, colour table, rows.
std::vector<std::uint8_t> WrittenBmp(std::uint32_t width, std::uint32_t height, std::uint32_t components) {
  const TBmpLayout layout = ComputeBmpLayout(width, height, components, DefaultMaxMegapixels);
  std::vector<std::uint8_t> bmp(static_cast<std::size_t>(layout.FileSize), 0x5A);
  WriteBmpHeaders(layout, {}, bmp.data(), bmp.size());
  return bmp;
}

void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(BMPReader, ReadsWhatTheWriterWrites) {
  for (std::uint32_t components : {1u, 3u}) {
    const std::vector<std::uint8_t> bmp = WrittenBmp(5, 3, components);
    const auto info = ReadBmpFileInfo(bmp);
    ASSERT_TRUE(info) << components;
    EXPECT_EQ(info->Width, 5);
    EXPECT_EQ(info->Height, 3);
    EXPECT_TRUE(info->BottomUp());
    EXPECT_EQ(info->BitsPerPixel, components * 8);
    EXPECT_EQ(info->Colors, components == 1 ? 256u : 0u);
    EXPECT_EQ(info->ColorsAt, 40u);
    EXPECT_EQ(info->PixelsAt, components == 1 ? 40u + 1024 : 40u);
    EXPECT_EQ(info->Stride, components == 1 ? 8u : 16u);
    EXPECT_EQ(info->Rows, 3u);
  }
  EXPECT_EQ(ReadBmpU16(WrittenBmp(1, 1, 3).data()), 0x4D42);
  EXPECT_EQ(ReadBmpU32(WrittenBmp(1, 1, 3).data() + 2), 58u);
}

// Guards against painting or copying past the end of damaged bytes: each fault is refused.
TEST(BMPReader, RefusesFileImagesWhosePartsDoNotFit) {
  struct TCase {
    const char* Fault;
    std::size_t At;  // NotSet: nothing set, the image is cut instead
    std::uint32_t Value;
    std::size_t Cut;
  };
  constexpr std::size_t NotSet = SIZE_MAX;
  const TCase cases[] = {
      {"not BM", 0, 0x414D, 0},
      {"offset inside the headers", 10, 53, 0},
      {"offset inside the colour table", 10, 54 + 1020, 0},
      {"offset past the end", 10, 2000, 0},
      {"header too small", 14, 39, 0},
      {"header past the offset", 14, 1100, 0},
      {"no width", 18, 0, 0},
      {"no height", 22, 0, 0},
      {"two planes", 26, 0x00080002, 0},
      {"unknown depth", 26, 0x00070001, 0},
      {"compressed", 30, 1, 0},
      {"bit fields at 8 bits", 30, 3, 0},
      {"more colours than the depth has", 46, 257, 0},
      {"rows cut short", NotSet, 0, 1},
      {"headers cut short", NotSet, 0, 1078 + 24 - 53},
  };
  ASSERT_TRUE(ReadBmpFileInfo(WrittenBmp(5, 3, 1)));
  for (const TCase& c : cases) {
    std::vector<std::uint8_t> bmp = WrittenBmp(5, 3, 1);
    if (c.At != NotSet) Set32(bmp, c.At, c.Value);
    bmp.resize(bmp.size() - c.Cut);
    EXPECT_FALSE(ReadBmpFileInfo(bmp)) << c.Fault;
  }
  std::vector<std::uint8_t> topDown = WrittenBmp(5, 3, 3);
  Set32(topDown, 22, static_cast<std::uint32_t>(-3));
  const auto info = ReadBmpFileInfo(topDown);
  ASSERT_TRUE(info);
  EXPECT_FALSE(info->BottomUp());
  EXPECT_EQ(info->Rows, 3u);
}

}  // namespace
}  // namespace tarvell
