#include "slideshow/PicturePaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvell {
namespace {

using Paths = std::vector<std::string>;
using Folders = std::vector<std::pair<std::string, Paths>>;  // prefix, names

TPicturePaths Build(const Folders& folders) {
  TPicturePaths paths;
  for (const auto& [prefix, names] : folders) {
    paths.BeginFolder(prefix);
    for (const auto& name : names) paths.Add(name);
  }
  return paths;
}

// Every way of reading the store gives the expected texts.
void ExpectReads(const TPicturePaths& paths, const Paths& expected, const std::string& label) {
  EXPECT_EQ(paths.ToVector(), expected) << label;
  ASSERT_EQ(paths.size(), expected.size()) << label;
  EXPECT_EQ(paths.empty(), expected.empty()) << label;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(paths[i], expected[i]) << label << " entry " << i;
    const std::size_t first =
        static_cast<std::size_t>(std::find(expected.begin(), expected.end(), expected[i]) - expected.begin());
    EXPECT_EQ(paths.Find(expected[i]), first) << label << " entry " << i;
    // A text one byte longer or shorter, or with its last byte changed, is another path.
    EXPECT_FALSE(paths.Holds(i, expected[i] + "x")) << label;
    EXPECT_FALSE(paths.Holds(i, expected[i].substr(0, expected[i].size() - 1))) << label;
  }
  EXPECT_EQ(paths.Find("Z:\\nowhere.jpg"), paths.size()) << label;
}

TEST(PicturePaths, ReadBackExactlyAsWrittenAlsoAfterErasingAnEntry) {
  const Folders many = [] {
    Folders folders;
    for (int f = 0; f < 40; ++f) folders.push_back({"D:\\Lib\\F" + std::to_string(f) + "\\", {"a.jpg", "b.jpg"}});
    return folders;
  }();
  const Paths manyPaths = [&] {
    Paths all;
    for (const auto& [prefix, names] : many)
      for (const auto& name : names) all.push_back(prefix + name);
    return all;
  }();
  struct TCase {
    const char* Label;
    Folders In;
    std::optional<std::size_t> Erase;
    Paths Expected;
  };
  const TCase cases[] = {
      {"empty", {}, std::nullopt, {}},
      // A picture in a drive's root keeps the two separators the walk writes.
      {"root", {{"C:\\\\", {"r.jpg"}}, {"C:\\Sub\\", {"s.jpg"}}}, std::nullopt, {"C:\\\\r.jpg", "C:\\Sub\\s.jpg"}},
      {"posix root", {{"//", {"a.jpg"}}, {"/p/", {"b.jpg"}}}, std::nullopt, {"//a.jpg", "/p/b.jpg"}},
      {"non-ASCII", {{"C:\\Фото\\", {"冬.jpg", "ü.jpeg"}}}, std::nullopt, {"C:\\Фото\\冬.jpg", "C:\\Фото\\ü.jpeg"}},
      // The same name twice (a name both mask patterns match) and in two folders.
      {"duplicates",
       {{"C:\\A\\", {"e.jpg", "e.jpg"}}, {"C:\\B\\", {"e.jpg"}}},
       std::nullopt,
       {"C:\\A\\e.jpg", "C:\\A\\e.jpg", "C:\\B\\e.jpg"}},
      // A folder without pictures leaves no trace.
      {"empty folder",
       {{"C:\\A\\", {"1.jpg"}}, {"C:\\E\\", {}}, {"C:\\B\\", {"2.jpg"}}},
       std::nullopt,
       {"C:\\A\\1.jpg", "C:\\B\\2.jpg"}},
      {"erase first",
       {{"C:\\A\\", {"1.jpg", "22.jpg"}}, {"C:\\B\\", {"333.jpg"}}},
       0,
       {"C:\\A\\22.jpg", "C:\\B\\333.jpg"}},
      {"erase middle",
       {{"C:\\A\\", {"1.jpg", "22.jpg"}}, {"C:\\B\\", {"333.jpg"}}},
       1,
       {"C:\\A\\1.jpg", "C:\\B\\333.jpg"}},
      {"erase last",
       {{"C:\\A\\", {"1.jpg", "22.jpg"}}, {"C:\\B\\", {"333.jpg"}}},
       2,
       {"C:\\A\\1.jpg", "C:\\A\\22.jpg"}},
      {"erase the only one", {{"C:\\A\\", {"1.jpg"}}}, 0, {}},
      {"many folders", many, std::nullopt, manyPaths},
  };
  for (const TCase& c : cases) {
    TPicturePaths paths = Build(c.In);
    if (c.Erase) paths.erase(*c.Erase);
    ExpectReads(paths, c.Expected, c.Label);
    // More pictures after an erase go on where the list ends, in their own folder.
    paths.BeginFolder("C:\\N\\");
    paths.Add("n.jpg");
    Paths more = c.Expected;
    more.push_back("C:\\N\\n.jpg");
    ExpectReads(paths, more, std::string(c.Label) + " + more");
  }
}

TEST(PicturePaths, AppendedListsFollowInOrderAndClearEmpties) {
  TPicturePaths paths = Build({{"C:\\A\\", {"1.jpg", "2.jpg"}}});
  paths.erase(0);
  const TPicturePaths tail = Build({{"D:\\B\\", {"3.jpg"}}, {"D:\\\\", {"4.jpg"}}});
  paths.Append(tail);
  paths.Append(TPicturePaths());
  ExpectReads(paths, {"C:\\A\\2.jpg", "D:\\B\\3.jpg", "D:\\\\4.jpg"}, "appended");
  paths.ShrinkToFit();
  ExpectReads(paths, {"C:\\A\\2.jpg", "D:\\B\\3.jpg", "D:\\\\4.jpg"}, "shrunk");
  paths.clear();
  ExpectReads(paths, {}, "cleared");
  // A name added with no folder begun is the whole path.
  paths.Add("bare.jpg");
  ExpectReads(paths, {"bare.jpg"}, "no folder");
}

}  // namespace
}  // namespace tarvell
