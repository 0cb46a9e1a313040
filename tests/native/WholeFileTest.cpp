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
  fs::remove(path);
}

TEST(WholeFile, MissingFileOrFolderGivesNothing) {
  const fs::path folder = fs::temp_directory_path();
  EXPECT_FALSE(ReadWholeFile((folder / "tarvell-no-such-file").string()));
  EXPECT_FALSE(ReadWholeFile(folder.string())) << "a folder is not a file";
}

}  // namespace
}  // namespace tarvell
