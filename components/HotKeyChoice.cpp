#include "components/HotKeyChoice.h"

#include <bit>

namespace tarvell {

namespace {

struct TCommandKey {
  std::uint8_t KeyIndex;
  char Letter;
  std::string_view Name;
  std::size_t Blanks;  // between the name and "Ctrl+X" on the button, as earlier versions had it
};

constexpr TCommandKey CommandKeys[] = {
    {HotKeyIndexZ, 'Z', "Next", 12},
    {HotKeyIndexA, 'A', "Clear", 11},
    {HotKeyIndexD, 'D', "Delete", 0},  // no button
    {HotKeyIndexQ, 'Q', "Quit", 11},
    {HotKeyIndexX, 'X', "Previous", 0},  // these three have no button that names a key
    {HotKeyIndexP, 'P', "Pause", 0},
    {HotKeyIndexN, 'N', "Exclude", 0},
};

// Previous, Pause and Exclude take two modifier keys (see THotKeyCommand).
bool TakesTwoModifiers(THotKeyCommand command) noexcept { return command >= THotKeyCommand::Previous; }

const TCommandKey& KeyOf(THotKeyCommand command) noexcept { return CommandKeys[static_cast<std::size_t>(command)]; }

// Where the scripts end whose keyboards put characters on AltGr: the CJK ideographs and Hangul
// after it are typed through input methods. Asking no further keeps the scan short.
constexpr char16_t AltGrCharactersEnd = u'\u3400';

// The name of "Ctrl" and a letter: what the blanks on a button were counted for.
constexpr std::size_t PlainNameLength = 6;
constexpr std::size_t FewestBlanks = 2;

}  // namespace

std::optional<std::size_t> HotKeyChoiceIndex(unsigned flags) noexcept {
  for (std::size_t i = 0; i < HotKeyChoices.size(); ++i)
    if (HotKeyChoices[i].Flags == flags) return i;
  return std::nullopt;
}

THotKeyOffer OfferHotKeys(unsigned savedFlags, bool altGrOnCommandKeys) {
  THotKeyOffer offer;
  for (const THotKeyChoice& choice : HotKeyChoices) {
    if (choice.Flags & ModWin) continue;
    if (choice.Flags == (ModControl | ModAlt) && altGrOnCommandKeys) continue;
    offer.Choices.push_back(choice);
  }
  const auto saved = HotKeyChoiceIndex(savedFlags);
  if (!saved) return offer;
  for (const THotKeyChoice& choice : offer.Choices)
    if (choice.Flags == savedFlags) {
      offer.Flags = savedFlags;
      return offer;
    }
  offer.Flags = FallbackHotKeyFlags;
  const std::string_view why = savedFlags & ModWin ? " is Windows' own" : " clashes with AltGr";
  offer.Notice = std::string(HotKeyChoices[*saved].Name) + std::string(why) + ": now Ctrl+Shift";
  return offer;
}

bool AltGrOnCommandKeys(const std::vector<std::uintptr_t>& layouts, const TKeyScan& scan) {
  constexpr unsigned AltGr = 6;  // Ctrl and Alt
  for (const std::uintptr_t layout : layouts) {
    for (char16_t character = u' '; character < AltGrCharactersEnd; ++character) {
      const auto key = static_cast<std::uint16_t>(scan(layout, character));
      if (key == 0xFFFF || ((key >> 8) & 7) != AltGr) continue;
      for (const THotKeyCommand command : HotKeyCommands)
        if ((key & 0xFF) == HotKeyCodes[KeyOf(command).KeyIndex]) return true;
    }
  }
  return false;
}

std::uint8_t HotKeyIndexOf(THotKeyCommand command) noexcept { return KeyOf(command).KeyIndex; }

std::string_view HotKeyCommandName(THotKeyCommand command) noexcept { return KeyOf(command).Name; }

std::string HotKeyName(unsigned flags, THotKeyCommand command) {
  std::string name;
  const auto add = [&](unsigned flag, std::string_view text) {
    if (flags & flag) {
      name += text;
      name += '+';
    }
  };
  add(ModControl, "Ctrl");
  add(ModAlt, "Alt");
  add(ModShift, "Shift");
  add(ModWin, "Win");
  if (TakesTwoModifiers(command) && std::popcount(flags & (ModAlt | ModControl | ModShift | ModWin)) < 2) return {};
  if (!name.empty()) name += KeyOf(command).Letter;
  return name;
}

std::string HotKeyButtonCaption(THotKeyCommand command, unsigned flags) {
  const TCommandKey& key = KeyOf(command);
  const std::string keyName = HotKeyName(flags, command);
  std::string caption(key.Name);
  if (keyName.empty()) return caption;
  const std::size_t grown = keyName.size() - PlainNameLength;
  caption.append(key.Blanks > grown + FewestBlanks ? key.Blanks - grown : FewestBlanks, ' ');
  caption += keyName;
  return caption;
}

std::string UnclaimedHotKeysNotice(const std::vector<THotKeyCommand>& unclaimed) {
  if (unclaimed.empty()) return {};
  std::string notice = "No key (taken elsewhere): ";
  for (std::size_t i = 0; i < unclaimed.size(); ++i) {
    if (i > 0) notice += ", ";
    notice += HotKeyCommandName(unclaimed[i]);
  }
  return notice;
}

}  // namespace tarvell
