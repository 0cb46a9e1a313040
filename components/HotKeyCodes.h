#pragma once
// The keys a system hot key can be bound to, and the translation of the modifier set
// into the window system's flags. Plain integers, so the tables can be checked without
// the Win32 headers; the values are the documented virtual-key codes and MOD_* flags.

#include <array>
#include <cstdint>

namespace tarvell {

// The modifier set of a hot key: bits 0 to 3; the high four bits carry nothing.
enum THotKeyModifier : std::uint8_t {
  hmShift = 1 << 0,
  hmCtrl = 1 << 1,
  hmAlt = 1 << 2,
  hmWin = 1 << 3,
};

// The window system's modifier flags (RegisterHotKey).
inline constexpr unsigned ModAlt = 0x1;
inline constexpr unsigned ModControl = 0x2;
inline constexpr unsigned ModShift = 0x4;
inline constexpr unsigned ModWin = 0x8;
inline constexpr unsigned ModNoRepeat = 0x4000;  // a held key reports once, not once per repeat

// Translates a modifier set to RegisterHotKey flags; bits 4 to 7 are ignored.
constexpr unsigned HotKeyModifierFlags(std::uint8_t modifiers) {
  unsigned flags = 0;
  if (modifiers & hmShift) flags |= ModShift;
  if (modifiers & hmCtrl) flags |= ModControl;
  if (modifiers & hmAlt) flags |= ModAlt;
  if (modifiers & hmWin) flags |= ModWin;
  return flags;
}

// What a claim asks for: the modifiers, and one report per press however long it is held
// (a held Ctrl+Z would otherwise queue picture after picture).
constexpr unsigned HotKeyClaimFlags(std::uint8_t modifiers) { return HotKeyModifierFlags(modifiers) | ModNoRepeat; }

inline constexpr std::size_t HotKeyCodeCount = 102;

namespace detail {
constexpr std::array<std::uint8_t, HotKeyCodeCount> MakeHotKeyCodes() {
  std::array<std::uint8_t, HotKeyCodeCount> codes{};
  std::size_t i = 0;
  auto add = [&](unsigned code) { codes[i++] = static_cast<std::uint8_t>(code); };
  auto addRange = [&](unsigned first, unsigned last) {
    for (unsigned code = first; code <= last; ++code) add(code);
  };
  add(0x00);             // 0: no key
  add(0x03);             // VK_CANCEL
  add(0x08);             // VK_BACK
  add(0x09);             // VK_TAB
  add(0x0C);             // VK_CLEAR
  add(0x0D);             // VK_RETURN
  add(0x13);             // VK_PAUSE
  add(0x14);             // VK_CAPITAL
  add(0x1B);             // VK_ESCAPE
  addRange(0x20, 0x28);  // VK_SPACE .. VK_DOWN
  add(0x29);             // VK_SELECT
  addRange(0x2B, 0x2F);  // VK_EXECUTE .. VK_HELP (VK_PRINT, 0x2A, cannot be chosen)
  addRange(0x30, 0x39);  // digits
  addRange(0x41, 0x5A);  // letters
  addRange(0x60, 0x69);  // VK_NUMPAD0 .. VK_NUMPAD9
  addRange(0x6A, 0x6F);  // VK_MULTIPLY .. VK_DIVIDE
  addRange(0x70, 0x87);  // VK_F1 .. VK_F24
  add(0x90);             // VK_NUMLOCK
  add(0x91);             // VK_SCROLL
  return codes;
}
}  // namespace detail

// Key index -> virtual-key code.
inline constexpr std::array<std::uint8_t, HotKeyCodeCount> HotKeyCodes = detail::MakeHotKeyCodes();

// The virtual-key code of a key index; an index beyond the table gives 0 (no key)
// instead of reading past its end.
constexpr std::uint8_t HotKeyCode(unsigned keyIndex) { return keyIndex < HotKeyCodeCount ? HotKeyCodes[keyIndex] : 0; }

// Key indexes of the main window's hot keys.
inline constexpr std::uint8_t HotKeyIndexA = 34;
inline constexpr std::uint8_t HotKeyIndexD = 37;
inline constexpr std::uint8_t HotKeyIndexN = 47;
inline constexpr std::uint8_t HotKeyIndexP = 49;
inline constexpr std::uint8_t HotKeyIndexQ = 50;
inline constexpr std::uint8_t HotKeyIndexX = 57;
inline constexpr std::uint8_t HotKeyIndexZ = 59;

}  // namespace tarvell
