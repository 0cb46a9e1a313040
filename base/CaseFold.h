// Comparing text ignoring case for every letter, not only A-Z: "É" and "é" are one letter.
// A simple fold, one code point to one code point (each to its lower case), from a table
// built into the program, so every build and every system folds alike; no locale is asked.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarvell {

// The lower case of an ASCII letter; any other code point as it is.
constexpr char32_t FoldAsciiLetter(char32_t c) noexcept { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// The lower case of `c` when that is a single other code point, else `c` itself.
char32_t FoldCase(char32_t c) noexcept;

// The folded character starting at `at` in UTF-8 `text`, moving `at` past it. A byte that
// starts no UTF-8 sequence (a name from a file system that allows any bytes) gives
// FoldedByteBase plus the byte: above every character and distinct for each byte, so such
// names still compare by their bytes instead of all alike.
inline constexpr char32_t FoldedByteBase = 0x110000;
inline char32_t NextFoldedCharacter(std::string_view text, std::size_t& at) noexcept;

// The same for a character that does not start with an ASCII byte.
char32_t NextFoldedBeyondAscii(std::string_view text, std::size_t& at) noexcept;

// Compares the folded characters in turn; a text that is the start of the other comes
// first. Negative, zero or positive, as a three-way comparison.
int CompareFolded(std::string_view a, std::string_view b) noexcept;

// Inline, as the file mask and the name order take every character through it: most
// names are mostly ASCII, and those bytes need no decoding and no table.
inline char32_t NextFoldedCharacter(std::string_view text, std::size_t& at) noexcept {
  const auto b = static_cast<unsigned char>(text[at]);
  if (b >= 0x80) return NextFoldedBeyondAscii(text, at);
  ++at;
  return FoldAsciiLetter(b);
}

}  // namespace tarvell
