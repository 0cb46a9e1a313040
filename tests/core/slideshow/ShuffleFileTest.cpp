#include "slideshow/ShuffleFile.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(ShuffleFile, ReadsBackWhatItWroteAndRejectsEveryDamagedOrCutFile) {
  using namespace std::string_literals;
  const TShuffleState state{{1, 0xDEADBEEF, 7}, 3};
  const std::string good = WriteShuffleFile(state);
  EXPECT_EQ(good,
            "TVSH\1\0\0\0"s
            "\3\0\0\0\0\0\0\0"s
            "\3\0\0\0\0\0\0\0"s
            "\1\0\0\0\xEF\xBE\xAD\xDE\7\0\0\0"s);
  EXPECT_EQ(ReadShuffleFile(good), state);
  EXPECT_EQ(ReadShuffleFile(WriteShuffleFile({})), TShuffleState{});
  const auto patched = [&](std::size_t at, std::string bytes) {
    return std::string(good).replace(at, bytes.size(), bytes);
  };
  const std::string damaged[] = {
      good.substr(0, 23),                  // the header cut short
      good.substr(0, good.size() - 1),     // the last key cut short
      good.substr(0, good.size() - 4),     // a key fewer than counted
      good + std::string(4, '\0'),         // a key more
      good + "x",                          // a stray byte
      patched(0, "TVSX"),                  // another kind of file
      patched(4, "\2"),                    // a later version
      patched(8, std::string(8, '\xFF')),  // a count no file could hold
      patched(15, "\x40"),                 // a count that overflows when multiplied by 4
      patched(16, "\4"),                   // more shown than held
  };
  for (const auto& bytes : damaged) EXPECT_FALSE(ReadShuffleFile(bytes)) << testing::PrintToString(bytes);
}

}  // namespace
}  // namespace tarvell
