#include "slideshow/FileMask.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(FileMask, PictureMaskCases) {
  const TFileMask mask(PictureMask);
  for (const char* name : {"a.jpg", "A.JPG", "b.jpeg", "c.JPEG", "d.jpeg.old", "e.jpeg.jpg", ".jpg", "x.Jpg",
                           "photo.jpegx", "a.b.jpg", "my.jpeg file.txt", "a.png", "B.PNG", "c.webp", "d.WebP"})
    EXPECT_TRUE(mask.Matches(name)) << name;
  for (const char* name :
       {"a.jpgx", "a.jpg.txt", "a.jpe", "ajpg", "a.png.txt", "a.pngx", "a.webp.old", "", "jpeg", "a.jp g", "a.jpg "})
    EXPECT_FALSE(mask.Matches(name)) << name;
}

TEST(FileMask, PatternSemantics) {
  EXPECT_TRUE(TFileMask::MatchesPattern("*", ""));
  EXPECT_TRUE(TFileMask::MatchesPattern("**", "x"));
  EXPECT_TRUE(TFileMask::MatchesPattern("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(TFileMask::MatchesPattern("a*b*c", "aXbYbZ"));
  EXPECT_TRUE(TFileMask::MatchesPattern("*.jpg", "x.jpg.jpg"));  // the star has to give back
  EXPECT_FALSE(TFileMask::MatchesPattern("abc", "ab"));
  EXPECT_FALSE(TFileMask::MatchesPattern("ab", "abc"));
  EXPECT_TRUE(TFileMask::MatchesPattern("", ""));
  EXPECT_FALSE(TFileMask::MatchesPattern("", "a"));
  EXPECT_FALSE(TFileMask::MatchesPattern("?.jpg", "a.jpg"));  // only "*" is a wildcard
  // Bytes that are no UTF-8 are compared as they are.
  EXPECT_TRUE(TFileMask::MatchesPattern("*\xE9.JPG", "caf\xE9.jpg"));
  EXPECT_FALSE(TFileMask::MatchesPattern("*\xC9.jpg", "caf\xE9.jpg"));
}

TEST(FileMask, EveryLetterMatchesIgnoringCaseAndAStarTakesWholeCharacters) {
  const std::string cafe = Utf8FromUtf16(u"CAF\u00C9.JPG");
  EXPECT_TRUE(TFileMask::MatchesPattern(Utf8FromUtf16(u"caf\u00E9*"), cafe));
  EXPECT_TRUE(TFileMask(PictureMask).Matches(Utf8FromUtf16(u"\u6771\u4EAC\u30BF\u30EF\u30FC.JPG")));
  EXPECT_TRUE(TFileMask::MatchesPattern(Utf8FromUtf16(u"*\u00E9*\u00E9"), Utf8FromUtf16(u"\u00C9t\u00C9")));
  EXPECT_TRUE(TFileMask::MatchesPattern(Utf8FromUtf16(u"*\u00E9"), Utf8FromUtf16(u"\u00E9\u00E9\u00E9")));
  EXPECT_FALSE(TFileMask::MatchesPattern(Utf8FromUtf16(u"*\u00E9"), Utf8FromUtf16(u"\u00E9e")));
  // Regression: matched byte by byte, the star took the first byte of "é" and a pattern's
  // lone byte 0xA9 matched its second.
  EXPECT_FALSE(TFileMask::MatchesPattern("*\xA9", Utf8FromUtf16(u"caf\u00E9")));
}

TEST(FileMask, EmptyPatternsInTheMaskMatchNothing) {
  const TFileMask mask(";*.txt;;");
  EXPECT_TRUE(mask.Matches("a.txt"));
  EXPECT_FALSE(mask.Matches(""));
  EXPECT_FALSE(TFileMask("").Matches("a.jpg"));
}

}  // namespace
}  // namespace tarvell
