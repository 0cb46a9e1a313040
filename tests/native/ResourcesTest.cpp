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

std::uint32_t U16(const std::vector<std::uint8_t>& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::int32_t I32(const std::vector<std::uint8_t>& b, size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

TEST(Resources, AboutPictureIs406By300In256Colours) {
  const auto bmp = ReadAll(Dir + "About.bmp");
  ASSERT_GT(bmp.size(), 54u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), bmp.size());
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(I32(bmp, 18), 406);
  EXPECT_EQ(I32(bmp, 22), 300);  // positive: bottom-up rows, as every reader expects
  EXPECT_EQ(U16(bmp, 28), 8u);
  EXPECT_EQ(U32(bmp, 30), 0u);  // uncompressed
  EXPECT_EQ(U32(bmp, 46), 256u);
  const std::uint32_t offset = U32(bmp, 10);
  EXPECT_EQ(offset, 14u + 40u + 256u * 4u);
  EXPECT_EQ(bmp.size() - offset, 408u * 300u);  // rows padded to 4 bytes

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
