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

TEST(FileMask, EveryLetterMatchesIgnoringCase) {
  EXPECT_TRUE(TFileMask(PictureMask).Matches(Utf8FromUtf16(u"\u6771\u4EAC\u30BF\u30EF\u30FC.JPG")));
}

TEST(FileMask, EmptyPatternsInTheMaskMatchNothing) {
  const TFileMask mask(";*.txt;;");
  EXPECT_TRUE(mask.Matches("a.txt"));
  EXPECT_FALSE(mask.Matches(""));
  EXPECT_FALSE(TFileMask("").Matches("a.jpg"));
}

}  // namespace
}  // namespace tarvell
