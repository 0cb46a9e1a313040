#include "slideshow/PreviewFit.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(PreviewFit, RoomAtTheDesignSize) {
  EXPECT_EQ(PreviewRoom({580, 446}, 0, 273, 32), (TSize{275, 382}));
  EXPECT_EQ(PreviewRoom({300, 50}, 0, 273, 32), (TSize{0, 0}));  // too small: no room, not negative
}

TEST(PreviewFit, WholePictureVisibleWithProportionsKept) {
  const TSize room{275, 382};
  EXPECT_EQ(FitPreview(room, {4000, 3000}), (TSize{275, 206}));  // wide: full width
  EXPECT_EQ(FitPreview(room, {3000, 4000}), (TSize{275, 366}));  // high but wider than the room allows
  EXPECT_EQ(FitPreview(room, {1000, 4000}), (TSize{95, 382}));   // high: full height
  EXPECT_EQ(FitPreview(room, {500, 500}), (TSize{275, 275}));    // square: width limits
  EXPECT_EQ(FitPreview({400, 100}, {500, 500}), (TSize{100, 100}));
  EXPECT_EQ(FitPreview({400, 100}, {2000, 1000}), (TSize{200, 100}));  // wide but height limits
  EXPECT_EQ(FitPreview(room, {0, 100}), std::nullopt);
  EXPECT_EQ(FitPreview(room, {100, 0}), std::nullopt);
}

TEST(PreviewFit, LargePicturesDoNotOverflow) {
  // 32-bit products would overflow here: 30000 × 100000 > 2^31.
  EXPECT_EQ(FitPreview({30000, 30000}, {200000, 100000}), (TSize{30000, 15000}));
  EXPECT_EQ(FitPreview({275, 382}, {65500, 1}), (TSize{275, 0}));
}

}  // namespace
}  // namespace tarvell
