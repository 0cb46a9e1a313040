#include "base/MaskPatterns.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tarvell {
namespace {

using Views = std::vector<std::string_view>;

TEST(MaskPatterns, SplitsAtSemicolonsKeepingOrderAndDroppingEmptyPatterns) {
  EXPECT_EQ(SplitMask("*.jpg;*.jpeg*"), (Views{"*.jpg", "*.jpeg*"}));
  EXPECT_EQ(SplitMask(";*.a;;*.b;"), (Views{"*.a", "*.b"}));
  EXPECT_EQ(SplitMask("*.a;*.a"), (Views{"*.a", "*.a"})) << "a repeated pattern stays repeated";
  EXPECT_EQ(SplitMask("*.*"), (Views{"*.*"}));
  EXPECT_TRUE(SplitMask("").empty());
  EXPECT_TRUE(SplitMask(";;").empty());
}

TEST(MaskPatterns, OnlyAStarIsAWildcardEveryLetterMatchesIgnoringCaseAndAStarTakesWholeCharacters) {
  const auto u8 = [](std::u16string_view text) { return Utf8FromUtf16(text); };
  struct TRow {
    std::string Pattern, Name;
    bool Matches;
  };
  const TRow rows[] = {
      {"*", "", true},
      {"**", "x", true},
      {"a*b*c", "aXbYbZc", true},
      {"a*b*c", "aXbYbZ", false},
      {"*.jpg", "x.jpg.jpg", true},  // the star has to give back
      {"abc", "ab", false},
      {"ab", "abc", false},
      {"", "", true},
      {"", "a", false},
      {"?.jpg", "a.jpg", false},  // only "*" is a wildcard
      // Bytes that are no UTF-8 are compared as they are.
      {"*\xE9.JPG", "caf\xE9.jpg", true},
      {"*\xC9.jpg", "caf\xE9.jpg", false},
      {u8(u"caf\u00E9*"), u8(u"CAF\u00C9.JPG"), true},
      {u8(u"*\u00E9*\u00E9"), u8(u"\u00C9t\u00C9"), true},
      {u8(u"*\u00E9"), u8(u"\u00E9\u00E9\u00E9"), true},
      {u8(u"*\u00E9"), u8(u"\u00E9e"), false},
      // Regression: matched byte by byte, the star took the first byte of "é" and a pattern's
      // lone byte 0xA9 matched its second.
      {"*\xA9", u8(u"caf\u00E9"), false},
  };
  for (const TRow& row : rows)
    EXPECT_EQ(MatchesPattern(row.Pattern, row.Name), row.Matches) << row.Pattern << " " << row.Name;
}

}  // namespace
}  // namespace tarvell
