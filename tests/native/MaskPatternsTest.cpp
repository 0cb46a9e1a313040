#include "base/MaskPatterns.h"

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

}  // namespace
}  // namespace tarvell
