#include "slideshow/ExcludeList.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(ExcludeList, KeepsTheUsersLinesAndComparesPathsIgnoringCase) {
  TExcludeList list = TExcludeList::Parse(
      "\xEF\xBB\xBF# never again\nC:\\Bilder\\\xC3\x89t\xC3\xA9.jpg\r\n\r\n  \rpictures\\x.jpg\r\n"
      "\\\\srv\\s\\a.png\r\nc:\\bilder\\\xC3\xA9T\xC3\x89.JPG\r\n# end");
  EXPECT_EQ(list.Paths(), (std::vector<std::string>{"C:\\Bilder\\\xC3\x89t\xC3\xA9.jpg", "\\\\srv\\s\\a.png"}));
  EXPECT_TRUE(list.Contains("C:\\BILDER\\\xC3\xA9T\xC3\xA9.jpg"));
  EXPECT_FALSE(list.Contains("pictures\\x.jpg"));
  EXPECT_FALSE(list.Contains("C:\\Bilder\\ete.jpg"));

  EXPECT_TRUE(list.Add("D:\\b.webp"));
  EXPECT_FALSE(list.Add("d:\\B.WEBP"));
  EXPECT_FALSE(list.Add("b.webp"));
  EXPECT_TRUE(list.Remove("\\\\SRV\\s\\A.png"));
  EXPECT_FALSE(list.Remove("\\\\srv\\s\\a.png"));
  EXPECT_FALSE(list.Contains("\\\\srv\\s\\a.png"));

  // Comments, blank and other lines stay in their places; the twice-listed path is written once.
  const std::string kept = "# never again\r\nC:\\Bilder\\\xC3\x89t\xC3\xA9.jpg\r\n\r\n  \r\npictures\\x.jpg\r\n"
                           "# end\r\nD:\\b.webp\r\n";
  const auto all = [](const std::string&) { return true; };
  EXPECT_EQ(list.Format(all), kept);
  EXPECT_EQ(TExcludeList::Parse(kept).Format(all), kept);
}

TEST(ExcludeList, APictureGoneLeavesTheListAtTheNextSave) {
  TExcludeList list = TExcludeList::Parse("# mine\r\nC:\\gone.jpg\r\nC:\\here.jpg\r\n");
  EXPECT_EQ(list.Format([](const std::string& path) { return path != "C:\\gone.jpg"; }), "# mine\r\nC:\\here.jpg\r\n");
  EXPECT_EQ(list.Paths(), std::vector<std::string>{"C:\\here.jpg"});
  EXPECT_FALSE(list.Contains("C:\\gone.jpg"));
}

}  // namespace
}  // namespace tarvell
