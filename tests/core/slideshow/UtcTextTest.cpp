#include "slideshow/UtcText.h"

#include <gtest/gtest.h>

#include <utility>

namespace tarvell {
namespace {

TEST(UtcText, RoundTripsAndRefusesWhatIsNoMoment) {
  const std::pair<std::int64_t, const char*> moments[] = {
      {0, "1970-01-01T00:00:00Z"}, {951'782'400, "2000-02-29T00:00:00Z"}, {253'402'300'799, "9999-12-31T23:59:59Z"}};
  for (const auto& [utc, text] : moments) {
    EXPECT_EQ(UtcText(utc), text);
    EXPECT_EQ(ParseUtcText(text), utc) << text;
  }
  for (const char* bad :
       {"", "2025-02-30T00:00:00Z", "2100-02-29T00:00:00Z", "1969-12-31T23:59:59Z", "2025-13-01T00:00:00Z",
        "2025-06-00T00:00:00Z", "2025-06-01T24:00:00Z", "2025-06-01T12:60:00Z", "2025-06-01T12:00:60Z",
        "2025-06-01 12:00:00Z", "2025-06-01T12:00:00z", "+025-06-01T12:00:00Z"})
    EXPECT_EQ(ParseUtcText(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace tarvell
