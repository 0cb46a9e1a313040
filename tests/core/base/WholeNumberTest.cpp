#include "base/WholeNumber.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tarvell {
namespace {

TEST(WholeNumber, DecimalWithinThirtyTwoBits) {
  EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseWholeNumber("+12"), 12);
  EXPECT_EQ(ParseWholeNumber("007"), 7);
  for (const char* bad : {"2147483648", "-2147483649", "99999999999999999999", "", "+", "-", " 1", "1 ", "1.0", "0x10",
                          "$10", "1e3", "--1"})
    EXPECT_EQ(ParseWholeNumber(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace tarvell
