#include "base/CaseFold.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvell {
namespace {

std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

TEST(CaseFold, EveryScriptsCapitalsFoldToTheirSmallLetters) {
  const struct {
    char32_t From, To;
  } folds[] = {
      {U'A', U'a'},
      {U'Z', U'z'},
      {U'\u00C9', U'\u00E9'},          // É é
      {U'\u00DE', U'\u00FE'},          // Þ þ
      {U'\u0178', U'\u00FF'},          // Ÿ ÿ, far apart
      {U'\u0100', U'\u0101'},          // Ā ā, and every second one up to
      {U'\u012E', U'\u012F'},          // Į į
      {U'\u0391', U'\u03B1'},          // Α α
      {U'\u03A3', U'\u03C3'},          // Σ σ
      {U'\u0401', U'\u0451'},          // Ё ё
      {U'\u0414', U'\u0434'},          // Д д
      {U'\u0531', U'\u0561'},          // Armenian
      {U'\u10A0', U'\u2D00'},          // Georgian
      {U'\u1E9E', U'\u00DF'},          // capital sharp s
      {U'\u212A', U'k'},               // Kelvin sign
      {U'\u2126', U'\u03C9'},          // Ohm sign
      {U'\uFF21', U'\uFF41'},          // full-width Ａ ａ
      {U'\U00010400', U'\U00010428'},  // Deseret, beyond 16 bits
      {U'\U0001E900', U'\U0001E922'},  // Adlam
  };
  for (const auto& f : folds) {
    EXPECT_EQ(FoldCase(f.From), f.To) << std::hex << static_cast<unsigned>(f.From);
    EXPECT_EQ(FoldCase(f.To), f.To) << std::hex << static_cast<unsigned>(f.To);
  }
}

TEST(CaseFold, EverythingElseStaysAsItIs) {
  for (const char32_t c :
       {U'a', U'0', U'_', U'\u00D7', U'\u00DF', U'\u00E9', U'\u03C2', U'\u0101', U'\u0103', U'\u3042', U'\u6771',
        U'\U0001F600', char32_t(0xD800), char32_t(0x10FFFF), char32_t(0x110000 + 0xE9)})
    EXPECT_EQ(FoldCase(c), c) << std::hex << static_cast<unsigned>(c);
  // İ's lower case is two code points (i and a dot above): a simple fold leaves it.
  EXPECT_EQ(FoldCase(U'\u0130'), U'\u0130');
}

// Folding twice gives what folding once gives, over the whole code space; a table run
// with a wrong stride or length would map some letter onto another capital.
TEST(CaseFold, FoldingIsStableEverywhere) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    const char32_t f = FoldCase(c);
    ASSERT_EQ(FoldCase(f), f) << std::hex << static_cast<unsigned>(c);
    ASSERT_LE(f, char32_t(0x10FFFF));
  }
}

TEST(CaseFold, TextsCompareByFoldedCharacters) {
  EXPECT_EQ(CompareFolded(U8(u"\u00C9b.jpg"), U8(u"\u00E9B.JPG")), 0);
  EXPECT_LT(CompareFolded(U8(u"\u00E9a"), U8(u"\u00C9b")), 0);
  EXPECT_EQ(CompareFolded(U8(u"\u0394\u0395\u039B\u03A4\u0391"), U8(u"\u03B4\u03B5\u03BB\u03C4\u03B1")), 0);
  EXPECT_LT(CompareFolded("z", U8(u"\u00E9")), 0);  // by code point, not by a locale's order
  EXPECT_LT(CompareFolded("ab", "ABC"), 0);         // a start of the other comes first
  EXPECT_GT(CompareFolded("abc", "AB"), 0);
  EXPECT_EQ(CompareFolded("", ""), 0);
  // Different byte lengths, one letter: the Kelvin sign takes three bytes, k one.
  EXPECT_EQ(CompareFolded(U8(u"\u212A.jpg"), "K.JPG"), 0);
}

// Guards against bytes that are not UTF-8 all reading as U+FFFD and so comparing equal.
TEST(CaseFold, BytesThatAreNoUtf8StayDistinctAndComeLast) {
  std::size_t at = 0;
  EXPECT_EQ(NextFoldedCharacter("\xC9", at), FoldedByteBase + 0xC9);
  EXPECT_EQ(at, 1u);
  EXPECT_NE(CompareFolded("caf\xE9", "caf\xC9"), 0);
  EXPECT_LT(CompareFolded("caf\xC9", "caf\xE9"), 0);
  EXPECT_LT(CompareFolded(U8(u"caf\U0001F600"), "caf\xE9"), 0);
  // The character U+FFFD itself is one three-byte character, not a broken byte.
  at = 0;
  EXPECT_EQ(NextFoldedCharacter(U8(u"\uFFFD"), at), ReplacementCharacter);
  EXPECT_EQ(at, 3u);
}

}  // namespace
}  // namespace tarvell
