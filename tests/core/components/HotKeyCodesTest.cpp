#include "components/HotKeyCodes.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvell {
namespace {

TEST(HotKeyCodes, TableHoldsExactlyTheChoosableKeysInAscendingOrder) {
  ASSERT_EQ(HotKeyCodes.size(), 102u);
  EXPECT_EQ(HotKeyCodes[0], 0);
  for (std::size_t i = 1; i < HotKeyCodes.size(); ++i) EXPECT_LT(HotKeyCodes[i - 1], HotKeyCodes[i]) << "index " << i;

  // The keys the table must offer, written out from the documented groups.
  std::set<unsigned> expected = {0x03, 0x08, 0x09, 0x0C, 0x0D, 0x13, 0x14, 0x1B, 0x29, 0x90, 0x91};
  for (unsigned k = 0x20; k <= 0x28; ++k) expected.insert(k);
  for (unsigned k = 0x2B; k <= 0x2F; ++k) expected.insert(k);
  for (unsigned k = '0'; k <= '9'; ++k) expected.insert(k);
  for (unsigned k = 'A'; k <= 'Z'; ++k) expected.insert(k);
  for (unsigned k = 0x60; k <= 0x87; ++k) expected.insert(k);  // numpad, operators, F1-F24
  const std::set<unsigned> actual(HotKeyCodes.begin() + 1, HotKeyCodes.end());
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(actual.count(0x2A), 0u);
}

TEST(HotKeyCodes, IndexBeyondTheTableIsNoKey) {
  // Regression: an index from 102 on read past the end of the table.
  EXPECT_EQ(HotKeyCode(102), 0);
  EXPECT_EQ(HotKeyCode(255), 0);
}

TEST(HotKeyCodes, ModifierTranslation) {
  EXPECT_EQ(HotKeyModifierFlags(0), 0u);
  EXPECT_EQ(HotKeyModifierFlags(hmShift), 4u);
  EXPECT_EQ(HotKeyModifierFlags(hmCtrl), 2u);
  EXPECT_EQ(HotKeyModifierFlags(hmAlt), 1u);
  EXPECT_EQ(HotKeyModifierFlags(hmWin), 8u);
  EXPECT_EQ(HotKeyModifierFlags(hmShift | hmCtrl | hmAlt | hmWin), 15u);
  EXPECT_EQ(HotKeyModifierFlags(hmCtrl | hmAlt), 3u);
  EXPECT_EQ(HotKeyModifierFlags(0xF0 | hmCtrl), 2u);  // the high bits carry nothing
  // Regression: a held key was claimed without MOD_NOREPEAT and queued one command per repeat.
  EXPECT_EQ(HotKeyClaimFlags(hmCtrl | hmAlt), 0x4003u);
  EXPECT_EQ(HotKeyClaimFlags(0), 0x4000u);
}

}  // namespace
}  // namespace tarvell
