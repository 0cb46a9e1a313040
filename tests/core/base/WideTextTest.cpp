#include "base/WideText.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// Wide text holds UTF-16 units on every platform, so a name beyond the basic plane takes two.
TEST(WideText, WidensToUtf16UnitsAndNarrowsBack) {
  const std::string name = "caf\xC3\xA9 \xF0\x9F\x98\x80.jpg";  // "café 😀.jpg"
  const std::wstring wide = Widen(name);
  EXPECT_EQ(wide, (std::wstring{L'c', L'a', L'f', wchar_t(0xE9), L' ', wchar_t(0xD83D), wchar_t(0xDE00), L'.', L'j',
                                L'p', L'g'}));
  EXPECT_EQ(Narrow(wide), name);
  EXPECT_EQ(Narrow(wide.c_str()), name);
  EXPECT_EQ(Narrow(static_cast<const wchar_t*>(nullptr)), "");
  // A relative path keeps its text on every system (only absolute ones take the exact form).
  EXPECT_EQ(WidePath("pics\\" + name), Widen("pics\\" + name));
}

}  // namespace
}  // namespace tarvell
