#include "base/PathText.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(PathText, JoinPathPutsOneSeparatorBetween) {
  EXPECT_EQ(JoinPath("C:\\P", "a.jpg"), "C:\\P\\a.jpg");
  EXPECT_EQ(JoinPath("C:\\", "a.jpg"), "C:\\a.jpg");  // a root keeps its one backslash
  EXPECT_EQ(JoinPath("D:/pics/", "a.jpg"), "D:/pics/a.jpg");
  EXPECT_EQ(JoinPath("/home/u", "a.jpg", '/'), "/home/u/a.jpg");
  EXPECT_EQ(JoinPath("/", "a.jpg", '/'), "/a.jpg");
  EXPECT_EQ(JoinPath("", "a.jpg"), "a.jpg");
  EXPECT_EQ(JoinPath("C:\\P", ""), "C:\\P\\");
}

TEST(PathText, AppendPathNameAlwaysAddsTheSeparator) {
  EXPECT_EQ(AppendPathName("C:\\P", "a.jpg", '\\'), "C:\\P\\a.jpg");
  EXPECT_EQ(AppendPathName("C:\\", "a.jpg", '\\'), "C:\\\\a.jpg");
  EXPECT_EQ(AppendPathName("/", "a.jpg", '/'), "//a.jpg");
}

TEST(PathText, SamePathTextIgnoresTheCaseOfEveryLetter) {
  EXPECT_TRUE(SamePathText("C:\\Pictures", "c:\\PICTURES"));
  EXPECT_TRUE(SamePathText("", ""));
  EXPECT_FALSE(SamePathText("C:\\P", "C:\\P\\"));
  EXPECT_FALSE(SamePathText("C:\\P", "C:/P"));
  // Regression: only A-Z were folded, so "Ä" and "ä" made two different folders.
  EXPECT_TRUE(SamePathText(Utf8FromUtf16(u"C:\\\u00C4rger\\\u0395\u039B\u039B\u0386\u0394\u0391"),
                           Utf8FromUtf16(u"c:\\\u00E4RGER\\\u03B5\u03BB\u03BB\u03AC\u03B4\u03B1")));
  EXPECT_FALSE(SamePathText(Utf8FromUtf16(u"C:\\\u00C4"), "C:\\A"));
  EXPECT_FALSE(SamePathText("\xC4", "\xE4"));  // bytes that are no UTF-8 are compared as they are
}

TEST(PathText, LongAbsolutePathsTakeTheExtendedForm) {
  const std::string tail(300, 'x');
  EXPECT_EQ(ExtendedLengthPath("C:\\short\\a.jpg"), "C:\\short\\a.jpg");
  EXPECT_EQ(ExtendedLengthPath("C:\\" + tail), "\\\\?\\C:\\" + tail);
  EXPECT_EQ(ExtendedLengthPath("C:/d/" + tail), "\\\\?\\C:\\d\\" + tail);
  EXPECT_EQ(ExtendedLengthPath("\\\\server\\share\\" + tail), "\\\\?\\UNC\\server\\share\\" + tail);
  EXPECT_EQ(ExtendedLengthPath("\\\\?\\C:\\" + tail), "\\\\?\\C:\\" + tail);
  EXPECT_EQ(ExtendedLengthPath("relative\\" + tail), "relative\\" + tail);
  // A root's pictures are listed as "C:\\\\name": the extended form would not find them.
  EXPECT_EQ(ExtendedLengthPath("C:\\\\" + tail), "\\\\?\\C:\\" + tail);
}

}  // namespace
}  // namespace tarvell
