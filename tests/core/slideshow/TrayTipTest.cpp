#include "slideshow/TrayTip.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// The length the tray's record sees.
std::size_t Units(const std::string& text) { return Utf16FromUtf8(text).size(); }

TEST(TrayTip, PathsUpTo127UnitsAreKeptWhole) {
  const std::string path127 = "C:\\" + std::string(118, 'p') + "\\a.jpg";
  ASSERT_EQ(path127.size(), 127u);
  EXPECT_EQ(TrayTipForPath(path127), path127);
  EXPECT_TRUE(FitsTrayTip(path127));
  EXPECT_EQ(TrayTipForPath(""), "");
}

TEST(TrayTip, LongerPathsKeepTheirEndBehindAnEllipsis) {
  // Regression: a tip longer than the tray takes was dropped, and the tray went on naming
  // the previous picture.
  const std::string path128 = "C:\\" + std::string(119, 'p') + "\\a.jpg";
  ASSERT_EQ(path128.size(), 128u);
  EXPECT_FALSE(FitsTrayTip(path128));
  const std::string tip = TrayTipForPath(path128);
  EXPECT_EQ(tip.size(), 127u);
  EXPECT_EQ(tip, "..." + path128.substr(4));

  const std::string deep = "D:\\Pictures\\" + std::string(300, 'x') + "\\Holiday 2004\\beach.jpg";
  const std::string deepTip = TrayTipForPath(deep);
  EXPECT_EQ(deepTip.size(), 127u);
  EXPECT_EQ(deepTip.substr(0, 3), "...");
  EXPECT_EQ(deepTip.substr(deepTip.size() - 23), "\\Holiday 2004\\beach.jpg");
  EXPECT_TRUE(FitsTrayTip(deepTip));
}

// Regression: the tip counted characters (code points) where the tray's record holds UTF-16
// units, so a path with characters beyond the Basic Multilingual Plane passed as fitting and
// lost its end, the file name, in the tray; and a cut by bytes or units could split a
// character or a surrogate pair in two.
TEST(TrayTip, CountsUtf16UnitsAndCutsWholeCharacters) {
  // 127 units in 247 bytes: kept whole.
  const std::string wide127 = Utf8FromUtf16(u"C:\\\u6771\u4EAC\\" + std::u16string(115, u'\u00E9') + u"\\\u03A9.jpg");
  ASSERT_EQ(Units(wide127), 127u);
  EXPECT_TRUE(FitsTrayTip(wide127));
  EXPECT_EQ(TrayTipForPath(wide127), wide127);

  // 81 characters, 151 units: 70 of them are emoji, two units each.
  std::u16string emoji;
  for (int i = 0; i < 70; ++i) emoji += u"\U0001F600";
  const std::string astral = Utf8FromUtf16(u"D:\\x" + emoji + u"\\\u2615a.jpg");
  ASSERT_EQ(CodePointCount(astral), 81u);
  ASSERT_EQ(Utf16Units(astral), 151u);
  EXPECT_FALSE(FitsTrayTip(astral));
  // 124 units behind the ellipsis would start inside a pair: the tip keeps 123.
  const std::string tip = TrayTipForPath(astral);
  EXPECT_TRUE(IsValidUtf8(tip));
  EXPECT_EQ(Units(tip), 126u);
  EXPECT_EQ(tip, "..." + std::string(LastCodePoints(astral, 65)));
  EXPECT_EQ(tip.substr(tip.size() - 9), Utf8FromUtf16(u"\\\u2615a.jpg"));

  // Where the cut falls between two pairs, the tip takes all 127 units.
  const std::string even = Utf8FromUtf16(u"D:\\x" + emoji + u"\\\u2615.jpg");
  EXPECT_EQ(Units(TrayTipForPath(even)), 127u);

  // A tray that takes fewer units (the record's first version holds 63): 37 characters in 63
  // units fit; 38 in 66 do not, and the tip, of 62 units, still ends in the file's name.
  const std::string fits = Utf8FromUtf16(u"E:\\x" + emoji.substr(0, 52) + u"\\pq.jpg");
  ASSERT_EQ(Units(fits), 63u);
  EXPECT_EQ(TrayTipForPath(fits, 63), fits);
  const std::string over = Utf8FromUtf16(u"E:\\" + emoji.substr(0, 56) + u"\\pq.jpg");
  const std::string small = TrayTipForPath(over, 63);
  EXPECT_EQ(Units(small), 62u);
  EXPECT_EQ(small, "..." + std::string(LastCodePoints(over, 33)));
  EXPECT_FALSE(FitsTrayTip(over, 63));
  EXPECT_TRUE(FitsTrayTip(small, 63));
  EXPECT_EQ(TrayTipForPath(over, 2), "..");
}

}  // namespace
}  // namespace tarvell
