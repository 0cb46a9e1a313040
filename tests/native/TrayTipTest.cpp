#include "slideshow/TrayTip.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(TrayTip, PathsUpTo63CharactersAreKeptWhole) {
  const std::string path63 = "C:\\" + std::string(54, 'p') + "\\a.jpg";
  ASSERT_EQ(path63.size(), 63u);
  EXPECT_EQ(TrayTipForPath(path63), path63);
  EXPECT_TRUE(FitsTrayTip(path63));
  EXPECT_EQ(TrayTipForPath(""), "");
}

TEST(TrayTip, LongerPathsKeepTheirEndBehindAnEllipsis) {
  // Regression: a tip of 64 characters or more was dropped, and the tray went on naming
  // the previous picture.
  const std::string path64 = "C:\\" + std::string(55, 'p') + "\\a.jpg";
  ASSERT_EQ(path64.size(), 64u);
  EXPECT_FALSE(FitsTrayTip(path64));
  const std::string tip = TrayTipForPath(path64);
  EXPECT_EQ(tip.size(), 63u);
  EXPECT_EQ(tip, "..." + path64.substr(4));

  const std::string deep = "D:\\Pictures\\" + std::string(200, 'x') + "\\Holiday 2004\\beach.jpg";
  const std::string deepTip = TrayTipForPath(deep);
  EXPECT_EQ(deepTip.size(), 63u);
  EXPECT_EQ(deepTip.substr(0, 3), "...");
  EXPECT_EQ(deepTip.substr(deepTip.size() - 23), "\\Holiday 2004\\beach.jpg");
  EXPECT_TRUE(FitsTrayTip(deepTip));
}

}  // namespace
}  // namespace tarvell
