// The committed pictures: the sizes and depths the windows expect, and exactly what the
// script that draws them makes.
#include "base/WholeFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string Dir = TARVELL_SOURCE_DIR "/resources/";

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  const std::string bytes = tarvell::ReadWholeFile(path).value_or(std::string());
  return {bytes.begin(), bytes.end()};
}

TEST(Resources, AboutPictureIs406By300In256Colours) {
  const auto bmp = ReadAll(Dir + "About.bmp");
  const std::size_t offset = 14 + 40 + 256 * 4;
  ASSERT_EQ(bmp.size(), offset + 408 * 300);  // rows padded to 4 bytes
  // 406 x 300 with a positive height (bottom-up rows, as every reader expects), 8 bits,
  // uncompressed, 2835 pixels a metre (72 dots an inch), 256 colours.
  const std::vector<std::uint8_t> header{
      'B', 'M', 0x56, 0xE2, 0x01, 0,    0, 0, 0,    0,    0x36, 0x04, 0,    0,           // file size, pixels at
      40,  0,   0,    0,    0x96, 1,    0, 0, 0x2C, 1,    0,    0,    1,    0,    8, 0,  // 406 x 300, 8 bits
      0,   0,   0,    0,    0x20, 0xDE, 1, 0, 0x13, 0x0B, 0,    0,    0x13, 0x0B, 0, 0,  // image size, density
      0,   1,   0,    0,    0,    0,    0, 0};                                           // colours
  EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 54), header);

  // A picture, not a blank: many of the palette's colours are used.
  std::vector<bool> used(256);
  for (size_t i = offset; i < bmp.size(); ++i) used[bmp[i]] = true;
  int count = 0;
  for (bool u : used) count += u;
  EXPECT_GT(count, 200);
}

// The files in the repository must be what make-resources.py draws, byte for byte,
// or a change to the script (or to a picture) has not been carried over.
TEST(Resources, CommittedPicturesAreWhatTheScriptMakes) {
  if (std::system("python3 --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not installed";
  const std::string command = "python3 '" + Dir + "make-resources.py' --check";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
