#include "base/NativePath.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvell {
namespace {

// Regression: only paths past 248 bytes took the "\\?\" form, so the system trimmed a short
// name's trailing dot or space and "a.jpeg." opened, and deleted, its neighbour "a.jpeg".
TEST(NativePath, ExactPathKeepsEveryNameAsWrittenWhateverTheLength) {
  const std::string longName(300, 'n');
  const struct {
    std::string in, out;
  } cases[] = {
      {"C:\\P\\a.jpeg.", "\\\\?\\C:\\P\\a.jpeg."},
      {"C:\\P\\a.jpeg ", "\\\\?\\C:\\P\\a.jpeg "},
      {"C:\\dots.\\a.jpg", "\\\\?\\C:\\dots.\\a.jpg"},
      {"c:/P//x\\\\a.jpg", "\\\\?\\c:\\P\\x\\a.jpg"},  // the picture walk writes a root's entries "C:\\\\a"
      {"C:\\P\\.\\sub\\..\\a.jpg", "\\\\?\\C:\\P\\a.jpg"},
      {"C:\\..\\..\\a.jpg", "\\\\?\\C:\\a.jpg"},    // never above the root
      {"C:\\...\\a.jpg", "\\\\?\\C:\\...\\a.jpg"},  // three dots are a name
      {"C:\\", "\\\\?\\C:\\"},
      {"C:\\P\\..", "\\\\?\\C:\\"},
      {"C:\\P\\", "\\\\?\\C:\\P\\"},
      {"C:\\P\\*", "\\\\?\\C:\\P\\*"},
      {"\\\\server\\share\\a.jpg.", "\\\\?\\UNC\\server\\share\\a.jpg."},
      {"\\\\server\\share\\..\\..\\a.jpg", "\\\\?\\UNC\\server\\share\\a.jpg"},
      {"C:\\" + longName, "\\\\?\\C:\\" + longName},
      {"\\\\?\\C:\\a.jpeg.", "\\\\?\\C:\\a.jpeg."},
      {"\\\\.\\pipe\\x", "\\\\.\\pipe\\x"},
      {"relative\\a.jpg.", "relative\\a.jpg."},
      {"C:drive-relative", "C:drive-relative"},
      {"\\rooted\\a.jpg", "\\rooted\\a.jpg"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExactPath(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace tarvell
