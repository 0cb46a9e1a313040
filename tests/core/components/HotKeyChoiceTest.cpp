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

// Keyboard layouts as VkKeyScanExW shows them: each letter on its own key, and a few characters
// with AltGr (0x600) or AltGr and Shift (0x700).
enum TLayout : std::uintptr_t { Us = 1, German, Polish, French, ShiftedOnly };
std::int16_t ScanFakeLayout(std::uintptr_t layout, char16_t ch) {
  const auto with = [](int state, char key) { return static_cast<std::int16_t>(state | key); };
  if (layout == German && ch == u'@') return with(0x600, 'Q');
  if (layout == Polish && ch == u'\u017C') return with(0x600, 'Z');  // ż
  if ((layout == German || layout == French) && ch == u'\u20AC') return with(0x600, 'E');  // €
  if (layout == ShiftedOnly && ch == u'\u0104') return with(0x700, 'A');  // Ą: Shift too, not Ctrl+Alt's
  if (ch >= u'a' && ch <= u'z') return with(0, static_cast<char>(ch - u'a' + 'A'));
  return -1;
}

// Regression: Ctrl+Alt caught AltGr (AltGr+Q, "@" on a German keyboard, quit the program) and
// Ctrl+Win and Alt+Win took Windows' own Win+Ctrl+D, Win+Ctrl+Q and Win+Alt+D.
TEST(HotKeyChoice, OnlySetsNeitherAltGrNorWindowsUsesAreOfferedAndASavedOtherFallsBack) {
  const std::string withCtrlAlt = "Ctrl,Ctrl+Alt,Ctrl+Shift,None", withoutCtrlAlt = "Ctrl,Ctrl+Shift,None";
  const struct {
    unsigned Saved;
    std::vector<std::uintptr_t> Layouts;
    const std::string& Offered;
    unsigned InForce;
    const char* Notice;
  } cases[] = {
      {3, {Us}, withCtrlAlt, 3, ""},
      {3, {Us, German}, withoutCtrlAlt, 6, "Ctrl+Alt clashes with AltGr: now Ctrl+Shift"},
      {3, {Polish}, withoutCtrlAlt, 6, "Ctrl+Alt clashes with AltGr: now Ctrl+Shift"},
      {3, {French, ShiftedOnly}, withCtrlAlt, 3, ""},  // AltGr, but on no command's key
      {3, {}, withCtrlAlt, 3, ""},
      {2, {German}, withoutCtrlAlt, 2, ""},
      {0, {German}, withoutCtrlAlt, 0, ""},
      {10, {Us}, withCtrlAlt, 6, "Ctrl+Win is Windows' own: now Ctrl+Shift"},
      {9, {Polish}, withoutCtrlAlt, 6, "Alt+Win is Windows' own: now Ctrl+Shift"},
      {5, {Us}, withCtrlAlt, 2, ""},  // never offered: Ctrl, as the settings reader takes it
  };
  for (const auto& c : cases) {
    const THotKeyOffer offer = OfferHotKeys(c.Saved, AltGrOnCommandKeys(c.Layouts, ScanFakeLayout));
    std::string offered;
    for (const THotKeyChoice& choice : offer.Choices) offered += (offered.empty() ? "" : ",") + std::string(choice.Name);
    EXPECT_EQ(offered, c.Offered) << c.Saved;
    EXPECT_EQ(offer.Flags, c.InForce) << c.Saved;
    EXPECT_EQ(offer.Notice, c.Notice) << c.Saved;
  }
}

}  // namespace
}  // namespace tarvell
