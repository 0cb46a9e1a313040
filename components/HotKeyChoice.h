#pragma once
// The modifier keys the user chooses for the main window's four hot keys, and the texts that
// name the keys in force. A choice is kept as RegisterHotKey's modifier flags (Alt 1, Ctrl 2,
// Shift 4, Win 8), which is also the number the settings file stores.

#include "components/HotKeyCodes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

// Ctrl alone: what every earlier version used.
inline constexpr unsigned DefaultHotKeyFlags = ModControl;

struct THotKeyChoice {
  unsigned Flags;
  std::string_view Name;
};

// What the main window offers, in its order; "None" turns the hot keys off.
inline constexpr std::array<THotKeyChoice, 6> HotKeyChoices{{
    {ModControl, "Ctrl"},
    {ModControl | ModAlt, "Ctrl+Alt"},
    {ModControl | ModShift, "Ctrl+Shift"},
    {ModControl | ModWin, "Ctrl+Win"},
    {ModAlt | ModWin, "Alt+Win"},
    {0, "None"},
}};

// The position of `flags` among HotKeyChoices, or nothing when they are not offered.
std::optional<std::size_t> HotKeyChoiceIndex(unsigned flags) noexcept;

// RegisterHotKey's modifier flags as a hot-key component's modifier set.
constexpr std::uint8_t HotKeyModifiersOfFlags(unsigned flags) {
  std::uint8_t modifiers = 0;
  if (flags & ModShift) modifiers |= hmShift;
  if (flags & ModControl) modifiers |= hmCtrl;
  if (flags & ModAlt) modifiers |= hmAlt;
  if (flags & ModWin) modifiers |= hmWin;
  return modifiers;
}

// The commands that have a hot key, each with its own letter.
enum class THotKeyCommand : std::uint8_t { Next, Clear, Delete, Quit };
inline constexpr std::array<THotKeyCommand, 4> HotKeyCommands{THotKeyCommand::Next, THotKeyCommand::Clear,
                                                              THotKeyCommand::Delete, THotKeyCommand::Quit};

std::uint8_t HotKeyIndexOf(THotKeyCommand command) noexcept;  // into HotKeyCodes
std::string_view HotKeyCommandName(THotKeyCommand command) noexcept;

// "Ctrl+Alt+Z": the modifiers in the order Ctrl, Alt, Shift, Win, then the command's letter.
// Empty when `flags` holds no modifier: then there are no hot keys.
std::string HotKeyName(unsigned flags, THotKeyCommand command);

// A command button's caption: its name, blanks, and its key; the blanks give way as the key's
// name grows, so that Ctrl gives the captions of earlier versions ("Next            Ctrl+Z").
// Without hot keys the caption is the name alone.
std::string HotKeyButtonCaption(THotKeyCommand command, unsigned flags);

// The main window's notice naming the commands whose keys another program holds; empty when
// every key was claimed.
std::string UnclaimedHotKeysNotice(const std::vector<THotKeyCommand>& unclaimed);

}  // namespace tarvell
