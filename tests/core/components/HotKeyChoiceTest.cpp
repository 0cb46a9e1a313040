#include "components/HotKeyChoice.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

using enum THotKeyCommand;

TEST(HotKeyChoice, EachOfferedChoiceNamesItsKeysAndMapsToTheComponentsModifiers) {
  struct Case {
    unsigned flags;
    const char* name;
    std::uint8_t modifiers;
    const char* nextKey;
  };
  const Case cases[] = {
      {2, "Ctrl", hmCtrl, "Ctrl+Z"},
      {3, "Ctrl+Alt", hmCtrl | hmAlt, "Ctrl+Alt+Z"},
      {6, "Ctrl+Shift", hmCtrl | hmShift, "Ctrl+Shift+Z"},
      {10, "Ctrl+Win", hmCtrl | hmWin, "Ctrl+Win+Z"},
      {9, "Alt+Win", hmAlt | hmWin, "Alt+Win+Z"},
      {0, "None", 0, ""},
  };
  ASSERT_EQ(HotKeyChoices.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    EXPECT_EQ(HotKeyChoices[i].Flags, c.flags) << c.name;
    EXPECT_EQ(HotKeyChoices[i].Name, c.name);
    EXPECT_EQ(HotKeyChoiceIndex(c.flags), i) << c.name;
    EXPECT_EQ(HotKeyModifiersOfFlags(c.flags), c.modifiers) << c.name;
    EXPECT_EQ(HotKeyModifierFlags(HotKeyModifiersOfFlags(c.flags)), c.flags) << c.name;  // and back
    EXPECT_EQ(HotKeyName(c.flags, Next), c.nextKey);
  }
  EXPECT_EQ(HotKeyChoices[0].Flags, DefaultHotKeyFlags);
  for (const unsigned notOffered : {1u, 4u, 5u, 7u, 8u, 11u, 15u, 16u, 0x4002u})
    EXPECT_FALSE(HotKeyChoiceIndex(notOffered));
}

TEST(HotKeyChoice, CommandsKeepTheirLetters) {
  EXPECT_EQ(HotKeyName(3, Next), "Ctrl+Alt+Z");
  EXPECT_EQ(HotKeyName(3, Clear), "Ctrl+Alt+A");
  EXPECT_EQ(HotKeyName(3, Delete), "Ctrl+Alt+D");
  EXPECT_EQ(HotKeyName(3, Quit), "Ctrl+Alt+Q");
  EXPECT_EQ(HotKeyName(15, Quit), "Ctrl+Alt+Shift+Win+Q");
  for (const THotKeyCommand command : HotKeyCommands)
    EXPECT_EQ(static_cast<char>(HotKeyCodes[HotKeyIndexOf(command)]), HotKeyName(2, command).back());
}

TEST(HotKeyChoice, ButtonCaptionsNameTheKeysInForce) {
  // Ctrl gives exactly the captions of earlier versions.
  EXPECT_EQ(HotKeyButtonCaption(Next, 2), "Next            Ctrl+Z");
  EXPECT_EQ(HotKeyButtonCaption(Clear, 2), "Clear           Ctrl+A");
  EXPECT_EQ(HotKeyButtonCaption(Quit, 2), "Quit           Ctrl+Q");
  // Longer names take the blanks' room, down to two.
  EXPECT_EQ(HotKeyButtonCaption(Next, 3), "Next        Ctrl+Alt+Z");
  EXPECT_EQ(HotKeyButtonCaption(Quit, 6), "Quit     Ctrl+Shift+Q");
  EXPECT_EQ(HotKeyButtonCaption(Clear, 15), "Clear  Ctrl+Alt+Shift+Win+A");
  EXPECT_EQ(HotKeyButtonCaption(Next, 0), "Next");
}

TEST(HotKeyChoice, NoticeNamesTheCommandsWithoutAKey) {
  EXPECT_EQ(UnclaimedHotKeysNotice({}), "");
  EXPECT_EQ(UnclaimedHotKeysNotice({Quit}), "No key (taken elsewhere): Quit");
  EXPECT_EQ(UnclaimedHotKeysNotice({Next, Delete}), "No key (taken elsewhere): Next, Delete");
}

}  // namespace
}  // namespace tarvell
