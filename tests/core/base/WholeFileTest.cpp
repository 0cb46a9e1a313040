#include "base/WholeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tarvell {
namespace {

namespace fs = std::filesystem;

TEST(WholeFile, ReadsEveryByteIncludingZerosAndLineEnds) {
  const fs::path path = fs::temp_directory_path() / "tarvell-wholefile-test.bin";
  const std::string bytes("a\r\nb\0c\x1a\xff", 8);
  std::ofstream(path, std::ios::binary) << bytes;
  EXPECT_EQ(ReadWholeFile(path.string()), bytes);
  std::ofstream(path, std::ios::binary | std::ios::trunc).close();
  EXPECT_EQ(ReadWholeFile(path.string()), std::string());
  // Larger than one piece of the read.
  std::string large(200'003, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << large;
  EXPECT_EQ(ReadWholeFile(path.string()), large);
  fs::remove(path);
}

// Regression: a read that failed part way (an I/O error of the disk) threw out of the stream
// buffer instead of giving nothing. Reading this process's memory from address 0 fails so.
TEST(WholeFile, AReadErrorGivesNothing) {
  if (!fs::is_regular_file("/proc/self/mem")) GTEST_SKIP() << "no /proc here";
  std::optional<std::string> bytes = std::string("unchanged");
  EXPECT_NO_THROW(bytes = ReadWholeFile("/proc/self/mem"));
  EXPECT_EQ(bytes, std::nullopt);
}

TEST(WholeFile, MissingFileOrFolderGivesNothing) {
  const fs::path folder = fs::temp_directory_path();
  EXPECT_FALSE(ReadWholeFile((folder / "tarvell-no-such-file").string()));
  EXPECT_FALSE(ReadWholeFile(folder.string())) << "a folder is not a file";
}

}  // namespace
}  // namespace tarvell
