#include "gui/BmpShrink.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tarvell {
namespace {

// Regression: a pixel whose index lay beyond a short colour table (its header may give fewer
// colours than the depth can index) was read from whatever followed the table.
TEST(BmpShrink, IndicesBeyondAShortColourTableAreBlack) {
  // Two colours, then memory that must never be read as colours: white all through.
  std::vector<RGBQUAD> memory(256, RGBQUAD{0xFF, 0xFF, 0xFF, 0});
  memory[0] = RGBQUAD{0x10, 0x20, 0x30, 0};
  memory[1] = RGBQUAD{0x40, 0x50, 0x60, 0};
  constexpr std::uint32_t first = 0x302010;
  constexpr std::uint32_t second = 0x605040;
  struct TCase {
    int Bits;
    int Width;
    std::vector<std::uint8_t> Row;
    std::uint32_t ColorCount;
    std::vector<std::uint32_t> Expected;
  };
  const TCase cases[] = {
      {8, 4, {0, 1, 5, 200}, 2, {first, second, 0, 0}},
      {4, 4, {0x10, 0xF2}, 2, {second, first, 0, 0}},
      {1, 2, {0x80}, 1, {0, first}},
  };
  for (const TCase& c : cases) {
    const TBmpPixels source{c.Row.data(), memory.data(), c.Width, 1, false, c.Bits, 4, c.ColorCount};
    EXPECT_EQ(ShrinkBmpPixels(source, c.Width, 1), c.Expected) << c.Bits << " bits";
  }
}

}  // namespace
}  // namespace tarvell
