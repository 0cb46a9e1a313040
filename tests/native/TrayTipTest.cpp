#include "slideshow/TrayTip.h"

#include "base/Utf8.h"

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

// Regression: the tip counted and cut bytes, so a path of 63 characters with letters beyond
// ASCII was shortened although it fits, and the cut could split a character in two.
TEST(TrayTip, CountsAndCutsWholeCharacters) {
  // 63 characters, 119 bytes: kept whole.
  const std::string path63 = Utf8FromUtf16(u"C:\\\u6771\u4EAC\\" + std::u16string(51, u'\u00E9') + u"\\\u03A9.jpg");
  ASSERT_EQ(CodePointCount(path63), 63u);
  EXPECT_TRUE(FitsTrayTip(path63));
  EXPECT_EQ(TrayTipForPath(path63), path63);

  // 64 characters: "..." and the last 60, from just after "é"; the last 60 bytes would
  // start inside a Japanese letter.
  const std::u16string tail =
      u"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1\\" + std::u16string(39, u'\u30BF') + u"\\\u03A9mega \u2615 \U0001F600.jpg";
  const std::string path64 = Utf8FromUtf16(u"D:\\\u00E9" + tail);
  ASSERT_EQ(CodePointCount(path64), 64u);
  EXPECT_FALSE(FitsTrayTip(path64));
  const std::string tip = TrayTipForPath(path64);
  EXPECT_EQ(tip, "..." + std::string(LastCodePoints(path64, 60)));
  EXPECT_EQ(CodePointCount(tip), 63u);
  EXPECT_TRUE(IsValidUtf8(tip));
  EXPECT_TRUE(FitsTrayTip(tip));
  EXPECT_EQ(tip.substr(tip.size() - 12), Utf8FromUtf16(u"\u2615 \U0001F600.jpg"));
}

}  // namespace
}  // namespace tarvell
