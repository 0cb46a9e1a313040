#include "base/Utf8.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(Utf8, RoundTripsEveryKindOfName) {
  for (const std::u16string& name : {std::u16string(u"café.jpg"), std::u16string(u"東京タワー.jpg"),
                                    std::u16string(u"Ωmega ☕.jpg"), std::u16string(u"\U0001F600 smile.jpg"),
                                    std::u16string(u"")}) {
    const std::string utf8 = Utf8FromUtf16(name);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf16FromUtf8(utf8), name);
  }
  EXPECT_EQ(Utf8FromUtf16(u"é"), "\xC3\xA9");
  EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

// Guards against losing files whose names are not well-formed UTF-16 (possible on NTFS):
// converted through U+FFFD they could no longer be opened or deleted by their listed name.
TEST(Utf8, UnpairedSurrogatesSurviveTheRoundTrip) {
  const std::u16string lone{u'a', char16_t(0xD800), u'b', char16_t(0xDC01)};
  const std::string utf8 = Utf8FromUtf16(lone);
  EXPECT_EQ(Utf16FromUtf8(utf8), lone);
  EXPECT_FALSE(IsValidUtf8(utf8));  // not UTF-8 a settings reader may take as such
}

TEST(Utf8, ValidityIsStrict) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("C:\\Bilder\\M\xC3\xBCller"));
  EXPECT_FALSE(IsValidUtf8("C:\\Bilder\\M\xFCller"));  // code page 1252
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));               // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));               // cut short
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));       // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xFF"));
  EXPECT_TRUE(HasHighBytes("\xC3\xA9"));
  EXPECT_FALSE(HasHighBytes("abc"));
}

// What our own conversion writes for any UTF-16 name, and nothing else: a pair spelt as two
// surrogates would read back as the pair's own character, another name.
TEST(Utf8, Wtf8IsUtf8WithUnpairedSurrogates) {
  for (const std::u16string& name :
       {std::u16string(u"caf\u00E9"), std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDC01)},
        std::u16string{char16_t(0xDC00), char16_t(0xD800)}, std::u16string{char16_t(0xDBFF)}}) {
    EXPECT_TRUE(IsWtf8(Utf8FromUtf16(name)));
  }
  EXPECT_TRUE(IsWtf8("plain"));
  EXPECT_FALSE(IsWtf8("\xED\xA0\x80\xED\xB0\x80"));  // U+D800 U+DC00 spelt apart
  EXPECT_FALSE(IsWtf8("C:\\M\xFCller"));
  EXPECT_FALSE(IsWtf8("\xC0\xAF"));
  EXPECT_FALSE(IsWtf8("\xED\xA0"));
  EXPECT_FALSE(IsWtf8("\xF4\x90\x80\x80"));
}

TEST(Utf8, BrokenBytesDecodeAsReplacementOneByteAtATime) {
  std::size_t at = 0;
  const std::string text = "\xE2\x82" "a";
  EXPECT_EQ(NextCodePoint(text, at), ReplacementCharacter);
  EXPECT_EQ(at, 1u);
  EXPECT_EQ(NextCodePoint(text, at), ReplacementCharacter);
  EXPECT_EQ(NextCodePoint(text, at), U'a');
  EXPECT_EQ(at, text.size());
}

TEST(Utf8, CountsAndCutsAtCharacterBoundaries) {
  const std::string text = Utf8FromUtf16(u"aé東\U0001F600z");
  EXPECT_EQ(CodePointCount(text), 5u);
  EXPECT_EQ(OffsetOfCodePoint(text, 0), 0u);
  EXPECT_EQ(OffsetOfCodePoint(text, 2), 3u);
  EXPECT_EQ(OffsetOfCodePoint(text, 4), 10u);
  EXPECT_EQ(OffsetOfCodePoint(text, 9), text.size());
  EXPECT_EQ(LastCodePoints(text, 2), "\xF0\x9F\x98\x80z");
  EXPECT_EQ(LastCodePoints(text, 7), text);
}

}  // namespace
}  // namespace tarvell
