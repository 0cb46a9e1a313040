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
    EXPECT_EQ(static_cast<char>(HotKeyCodes[HotKeyIndexOf(command)]), HotKeyName(6, command).back());
  // Previous, Pause and Exclude take two modifier keys: plain Ctrl+X, P and N are every program's.
  const struct {
    unsigned flags;
    const char* keys;
  } steering[] = {{2, ",,"}, {0, ",,"}, {3, "Ctrl+Alt+X,Ctrl+Alt+P,Ctrl+Alt+N"},
                  {6, "Ctrl+Shift+X,Ctrl+Shift+P,Ctrl+Shift+N"}};
  for (const auto& c : steering)
    EXPECT_EQ(HotKeyName(c.flags, Previous) + "," + HotKeyName(c.flags, Pause) + "," + HotKeyName(c.flags, Exclude),
              c.keys);
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

// Layouts as VkKeyScanExW shows them: letters on their keys, some characters with AltGr (0x600).
enum TLayout : std::uintptr_t { Us = 1, German, Polish, French };
std::int16_t ScanFakeLayout(std::uintptr_t layout, char16_t ch) {
  if (layout == German && ch == u'@') return 0x600 | 'Q';
  if (layout == Polish && ch == u'\u017C') return 0x600 | 'Z';                          // ż
  if ((layout == German || layout == French) && ch == u'\u20AC') return 0x600 | 'E';  // €
  if (layout == French && ch == u'\u0104') return 0x700 | 'A';  // Ą, with Shift too, is not Ctrl+Alt's
  return ch >= u'a' && ch <= u'z' ? static_cast<std::int16_t>(ch - u'a' + 'A') : -1;
}

// Regression: Ctrl+Alt caught AltGr ("@" on a German Q quit the program), and Ctrl+Win and
// Alt+Win took Windows' own Win+Ctrl+D, Win+Ctrl+Q and Win+Alt+D.
TEST(HotKeyChoice, NoSetThatAltGrOrWindowsUsesIsOfferedAndASavedOneFallsBackToCtrlShift) {
  const struct {
    unsigned Saved;
    std::vector<std::uintptr_t> Layouts;
    const char* Offer;  // offered | in force | notice
  } cases[] = {
      {3, {Us}, "Ctrl,Ctrl+Alt,Ctrl+Shift,None | 3 | "},
      {3, {Us, German}, "Ctrl,Ctrl+Shift,None | 6 | Ctrl+Alt clashes with AltGr: now Ctrl+Shift"},
      {3, {Polish}, "Ctrl,Ctrl+Shift,None | 6 | Ctrl+Alt clashes with AltGr: now Ctrl+Shift"},
      {3, {French}, "Ctrl,Ctrl+Alt,Ctrl+Shift,None | 3 | "},  // AltGr, but not alone on a command's key
      {10, {Us}, "Ctrl,Ctrl+Alt,Ctrl+Shift,None | 6 | Ctrl+Win is Windows' own: now Ctrl+Shift"},
      {9, {Polish}, "Ctrl,Ctrl+Shift,None | 6 | Alt+Win is Windows' own: now Ctrl+Shift"},
      {0, {German}, "Ctrl,Ctrl+Shift,None | 0 | "},
      {5, {Us}, "Ctrl,Ctrl+Alt,Ctrl+Shift,None | 2 | "},  // never offered: Ctrl, as the settings reader takes it
  };
  for (const auto& c : cases) {
    const THotKeyOffer offer = OfferHotKeys(c.Saved, AltGrOnCommandKeys(c.Layouts, ScanFakeLayout));
    std::string text;
    for (const THotKeyChoice& choice : offer.Choices) text += (text.empty() ? "" : ",") + std::string(choice.Name);
    EXPECT_EQ(text + " | " + std::to_string(offer.Flags) + " | " + offer.Notice, c.Offer) << c.Saved;
  }
}

}  // namespace
}  // namespace tarvell
