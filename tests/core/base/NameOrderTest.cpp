#include "base/NameOrder.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvell {
namespace {

std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

TEST(NameOrder, SortsIgnoringCaseThenByBytes) {
  std::vector<std::string> names = {"b.jpg", "A.JPG", "c.jpeg", "B.jpg", "a10.jpg", "a2.jpg", "_x.jpg", "Z"};
  std::sort(names.begin(), names.end(), NameLess);
  EXPECT_EQ(names, (std::vector<std::string>{"_x.jpg", "A.JPG", "a10.jpg", "a2.jpg", "B.jpg", "b.jpg", "c.jpeg", "Z"}));
  EXPECT_EQ(CompareNamesIgnoringCase("abc", "ABC"), 1);  // lower case after upper, as bytes
  EXPECT_EQ(CompareNamesIgnoringCase("abc", "abc"), 0);
  EXPECT_LT(CompareNamesIgnoringCase("ab", "ABC"), 0);  // a prefix comes first
}

// Regression: only A-Z were folded, so "Éb.jpg" came before "éa.jpg" (É's bytes are smaller).
TEST(NameOrder, EveryLetterIsOrderedIgnoringCase) {
  EXPECT_LT(CompareNamesIgnoringCase(U8(u"\u00E9a.jpg"), U8(u"\u00C9b.jpg")), 0);
  EXPECT_GT(CompareNamesIgnoringCase(U8(u"\u00C9b.jpg"), U8(u"\u00E9a.jpg")), 0);
  std::vector<std::string> names = {
      U8(u"\u03A9mega \u2615.jpg"), U8(u"\u00C9b.jpg"), "z.jpg", U8(u"\u00E9a.jpg"), U8(u"\u03C9a.jpg"),
      U8(u"\u6771\u4EAC.jpg"),      U8(u"\u00E9A.jpg"), "e.jpg"};
  std::sort(names.begin(), names.end(), NameLess);
  // By folded code point: e, z, é (U+E9), ω (U+3C9), 東 (U+6771); no locale puts é beside e.
  // "éA" and "éa" are one name folded; they follow byte order, upper case first.
  EXPECT_EQ(names,
            (std::vector<std::string>{"e.jpg", "z.jpg", U8(u"\u00E9A.jpg"), U8(u"\u00E9a.jpg"), U8(u"\u00C9b.jpg"),
                                      U8(u"\u03C9a.jpg"), U8(u"\u03A9mega \u2615.jpg"), U8(u"\u6771\u4EAC.jpg")}));
}

// The order of names the system lists is never left to chance: names equal when folded are
// still a strict order, so every listing order sorts to the same list.
TEST(NameOrder, TheOrderDoesNotDependOnTheListingOrder) {
  const std::vector<std::string> sorted = {U8(u"\u00C9.jpg"), U8(u"\u00E9.jpg"), "\xC9.jpg", "\xE9.jpg"};
  std::vector<std::string> names = sorted;
  do {
    std::vector<std::string> copy = names;
    std::sort(copy.begin(), copy.end(), NameLess);
    EXPECT_EQ(copy, sorted);
  } while (std::next_permutation(names.begin(), names.end()));
  // Bytes that are no UTF-8 (possible on native file systems) come after every character.
  EXPECT_GT(CompareNamesIgnoringCase("\xE9.jpg", U8(u"\U0001F600.jpg")), 0);
}

}  // namespace
}  // namespace tarvell
