#include "components/HotKeyChoice.h"

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
};

const TCommandKey& KeyOf(THotKeyCommand command) noexcept { return CommandKeys[static_cast<std::size_t>(command)]; }

// The name of "Ctrl" and a letter: what the blanks on a button were counted for.
constexpr std::size_t PlainNameLength = 6;
constexpr std::size_t FewestBlanks = 2;

}  // namespace

std::optional<std::size_t> HotKeyChoiceIndex(unsigned flags) noexcept {
  for (std::size_t i = 0; i < HotKeyChoices.size(); ++i)
    if (HotKeyChoices[i].Flags == flags) return i;
  return std::nullopt;
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
