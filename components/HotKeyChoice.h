#pragma once
// The modifier keys the user chooses for the main window's four hot keys, and the texts that
// name the keys in force. A choice is kept as RegisterHotKey's modifier flags (Alt 1, Ctrl 2,
// Shift 4, Win 8), which is also the number the settings file stores.

#include "components/HotKeyCodes.h"

#include <array>
#include <cstdint>
#include <functional>
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

// Every set a settings file may hold, in the main window's order; "None" turns the hot keys off.
// The window offers those OfferHotKeys leaves in.
inline constexpr std::array<THotKeyChoice, 6> HotKeyChoices{{
    {ModControl, "Ctrl"},
    {ModControl | ModAlt, "Ctrl+Alt"},
    {ModControl | ModShift, "Ctrl+Shift"},
    {ModControl | ModWin, "Ctrl+Win"},
    {ModAlt | ModWin, "Alt+Win"},
    {0, "None"},
}};

// The position of `flags` among HotKeyChoices, or nothing when they are not among them.
std::optional<std::size_t> HotKeyChoiceIndex(unsigned flags) noexcept;

// What stands in for a saved set that is no longer offered.
inline constexpr unsigned FallbackHotKeyFlags = ModControl | ModShift;

struct THotKeyOffer {
  std::vector<THotKeyChoice> Choices;   // what the main window offers, in HotKeyChoices' order
  unsigned Flags = DefaultHotKeyFlags;  // the set in force
  std::string Notice;                   // why the saved set is not in force; empty when it is
};

// What the main window offers and claims with. No set holding Win: Windows' own Win+Ctrl+D,
// Win+Ctrl+Q and Win+Alt+D would collide. Ctrl+Alt only where no keyboard layout types a
// character with AltGr on a command's letter key: Windows reports AltGr as Ctrl+Alt, so the hot
// key would take that character ("@" on a German Q). A saved set no longer offered gives
// Ctrl+Shift and the notice says so; flags never offered count as Ctrl.
THotKeyOffer OfferHotKeys(unsigned savedFlags, bool altGrOnCommandKeys);

// How a keyboard layout types a character, as VkKeyScanExW answers: the virtual key in the low
// byte, the shift state (Shift 1, Ctrl 2, Alt 4) in the high byte; -1 when no key types it.
using TKeyScan = std::function<std::int16_t(std::uintptr_t layout, char16_t character)>;

// Whether one of `layouts` types a character with AltGr alone (Ctrl+Alt, no Shift) on a command's
// letter key. Every character up to the CJK ideographs is asked: a layout names only the key of
// a character, never the characters of a key. Other AltGr characters (the euro on E)
// leave Ctrl+Alt offered, since its hot keys cannot catch them.
bool AltGrOnCommandKeys(const std::vector<std::uintptr_t>& layouts, const TKeyScan& scan);

// RegisterHotKey's modifier flags as a hot-key component's modifier set.
constexpr std::uint8_t HotKeyModifiersOfFlags(unsigned flags) {
  std::uint8_t modifiers = 0;
  if (flags & ModShift) modifiers |= hmShift;
  if (flags & ModControl) modifiers |= hmCtrl;
  if (flags & ModAlt) modifiers |= hmAlt;
  if (flags & ModWin) modifiers |= hmWin;
  return modifiers;
}

// The commands that have a hot key, each with its own letter. Previous (X, beside Z), Pause (P)
// and Exclude (N, "never") have one only with two modifier keys: plain Ctrl with those letters
// is every program's cut, print and new, and no set offered is one Windows uses with them.
enum class THotKeyCommand : std::uint8_t { Next, Clear, Delete, Quit, Previous, Pause, Exclude };
inline constexpr std::array<THotKeyCommand, 7> HotKeyCommands{
    THotKeyCommand::Next,     THotKeyCommand::Clear, THotKeyCommand::Delete, THotKeyCommand::Quit,
    THotKeyCommand::Previous, THotKeyCommand::Pause, THotKeyCommand::Exclude};

std::uint8_t HotKeyIndexOf(THotKeyCommand command) noexcept;  // into HotKeyCodes
std::string_view HotKeyCommandName(THotKeyCommand command) noexcept;

// "Ctrl+Alt+Z": the modifiers in the order Ctrl, Alt, Shift, Win, then the command's letter.
// Empty when the command has no key under `flags`: no modifier at all (no hot keys), or one
// alone for a command that takes two.
std::string HotKeyName(unsigned flags, THotKeyCommand command);

// A command button's caption: its name, blanks, and its key; the blanks give way as the key's
// name grows, so that Ctrl gives the captions of earlier versions ("Next            Ctrl+Z").
// Without hot keys the caption is the name alone.
std::string HotKeyButtonCaption(THotKeyCommand command, unsigned flags);

// The main window's notice naming the commands whose keys another program holds; empty when
// every key was claimed.
std::string UnclaimedHotKeysNotice(const std::vector<THotKeyCommand>& unclaimed);

}  // namespace tarvell
