#include "base/CaseFold.h"

#include "base/CaseFoldTable.h"
#include "base/Utf8.h"

#include <algorithm>
#include <iterator>

namespace tarvell {

namespace {

constexpr bool RunsSorted() {
  for (std::size_t i = 1; i < std::size(casefold::Runs); ++i)
    if (casefold::Runs[i].First <= casefold::Runs[i - 1].Last) return false;
  return true;
}
static_assert(RunsSorted(), "the binary search needs runs in order, without overlaps");

}  // namespace

char32_t FoldCase(char32_t c) noexcept {
  if (c < 0x80) return FoldAsciiLetter(c);
  const char32_t block = c / 256;
  if (block >= std::size(casefold::BlocksWithCapitals) * 64 ||
      !(casefold::BlocksWithCapitals[block / 64] >> (block % 64) & 1))
    return c;
  // The last run that starts at or before c.
  const auto* run = std::upper_bound(std::begin(casefold::Runs), std::end(casefold::Runs), c,
                                     [](char32_t value, const casefold::TRun& r) { return value < r.First; });
  if (run == std::begin(casefold::Runs)) return c;
  --run;
  if (c > run->Last || (c - run->First) % run->Stride != 0) return c;
  return static_cast<char32_t>(static_cast<std::int32_t>(c) + run->Delta);
}

char32_t NextFoldedBeyondAscii(std::string_view text, std::size_t& at) noexcept {
  const std::size_t start = at;
  const char32_t c = NextCodePoint(text, at);
  // A replacement that took one byte was no sequence; the character itself takes three.
  if (c == ReplacementCharacter && at == start + 1) return FoldedByteBase + static_cast<unsigned char>(text[start]);
  return FoldCase(c);
}

int CompareFolded(std::string_view a, std::string_view b) noexcept {
  // Equal ASCII bytes are equal characters; names in one folder often share a long start.
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i] && static_cast<unsigned char>(a[i]) < 0x80) ++i;
  std::size_t j = i;
  while (i < a.size() && j < b.size()) {
    const char32_t ca = NextFoldedCharacter(a, i);
    const char32_t cb = NextFoldedCharacter(b, j);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace tarvell
