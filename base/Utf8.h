// The program's text is UTF-8 in std::string; Windows speaks UTF-16. These conversions are
// exact in both directions for every name Windows can hand us, unpaired surrogates included
// (they are written as their own three bytes, the way WTF-8 does), so a file whose name is
// not well-formed UTF-16 can still be opened and deleted by the name we listed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvell {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// The code point starting at `at`, and moves `at` past it. A byte that does not start a
// sequence this reader accepts gives ReplacementCharacter and moves one byte on.
char32_t NextCodePoint(std::string_view text, std::size_t& at) noexcept;

// Appends `c` in UTF-8 (surrogates included, see above).
void AppendUtf8(std::string& out, char32_t c);

std::u16string Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::u16string_view text);

// Strict UTF-8: shortest forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) noexcept;

// UTF-8 as Utf8FromUtf16 writes it: strict UTF-8, except that an unpaired surrogate may stand
// as its own three bytes (a pair written as two such sequences is not: it has a form of its own).
bool IsWtf8(std::string_view text) noexcept;

// Whether any byte is above 0x7F.
bool HasHighBytes(std::string_view text) noexcept;

// The number of code points.
std::size_t CodePointCount(std::string_view text) noexcept;

// The byte offset where the code point `n` (counted from 0) starts, or text.size() when
// the text holds fewer; cutting there never splits a character.
std::size_t OffsetOfCodePoint(std::string_view text, std::size_t n) noexcept;

// The last `n` code points of `text` (all of it when it holds no more).
std::string_view LastCodePoints(std::string_view text, std::size_t n) noexcept;

}  // namespace tarvell
