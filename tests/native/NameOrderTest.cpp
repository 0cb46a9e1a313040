#include "slideshow/NameOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvell {
namespace {

TEST(NameOrder, SortsIgnoringCaseThenByBytes) {
  std::vector<std::string> names = {"b.jpg",  "A.JPG",  "c.jpeg",   "B.jpg", "a10.jpg",
                                    "a2.jpg", "_x.jpg", "\xE9.jpg", "Z"};
  std::sort(names.begin(), names.end(), NameLess);
  EXPECT_EQ(names, (std::vector<std::string>{"_x.jpg", "A.JPG", "a10.jpg", "a2.jpg", "B.jpg", "b.jpg", "c.jpeg", "Z",
                                             "\xE9.jpg"}));
  EXPECT_EQ(CompareNamesIgnoringCase("abc", "ABC"), 1);  // lower case after upper, as bytes
  EXPECT_EQ(CompareNamesIgnoringCase("abc", "abc"), 0);
  EXPECT_LT(CompareNamesIgnoringCase("ab", "ABC"), 0);  // a prefix comes first
}

}  // namespace
}  // namespace tarvell
