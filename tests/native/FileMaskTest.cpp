#include "slideshow/FileMask.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(FileMask, PictureMaskCases) {
  const TFileMask mask(PictureMask);
  for (const char* name : {"a.jpg", "A.JPG", "b.jpeg", "c.JPEG", "d.jpeg.old", "e.jpeg.jpg", ".jpg", "x.Jpg",
                           "photo.jpegx", "a.b.jpg", "my.jpeg file.txt"})
    EXPECT_TRUE(mask.Matches(name)) << name;
  for (const char* name : {"a.jpgx", "a.jpg.txt", "a.jpe", "ajpg", "a.png", "", "jpeg", "a.jp g", "a.jpg "})
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
  // Case folding is ASCII only: an 8-bit letter is compared as it is.
  EXPECT_TRUE(TFileMask::MatchesPattern("*\xE9.JPG", "caf\xE9.jpg"));
  EXPECT_FALSE(TFileMask::MatchesPattern("*\xC9.jpg", "caf\xE9.jpg"));
}

TEST(FileMask, EmptyPatternsInTheMaskMatchNothing) {
  const TFileMask mask(";*.txt;;");
  EXPECT_TRUE(mask.Matches("a.txt"));
  EXPECT_FALSE(mask.Matches(""));
  EXPECT_FALSE(TFileMask("").Matches("a.jpg"));
}

}  // namespace
}  // namespace tarvell
