#include "app/ConfigFile.h"

#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace tarvell {
namespace {

// Code page 1252 as Windows converts it: its five unassigned bytes stand for the C1
// controls of the same number both ways.
class TCodePage1252 final : public ILegacyCodePage {
public:
  std::optional<std::string> Encode(std::string_view utf8) const override {
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
      const char32_t c = NextCodePoint(utf8, at);
      const auto* high = std::find(std::begin(High), std::end(High), c);
      if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        out += static_cast<char>(c);
      else if (high != std::end(High))
        out += static_cast<char>(0x80 + (high - std::begin(High)));
      else
        return std::nullopt;
    }
    return out;
  }

  std::string Decode(std::string_view bytes) const override {
    std::string out;
    for (const char ch : bytes) {
      const auto b = static_cast<unsigned char>(ch);
      AppendUtf8(out, b >= 0x80 && b < 0xA0 ? High[b - 0x80] : char32_t(b));
    }
    return out;
  }

private:
  static constexpr char32_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
};

const TCodePage1252 Cp1252;

std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

constexpr char FirstRunBytes[] =
    "5\r\nC:\\\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n2\r\n0\r\n\r\n0\r\n\r\nm\r\n\r\n\r\n\r\n\r\n0\r\n";
// Lines 3 to 10 as a first run writes them, lines 15 to 21 for minutes, and lines 3 to 21.
constexpr char DefaultLines3To10[] = "0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n";
constexpr char Lines15To21[] = "\r\nm\r\n\r\n\r\n\r\n\r\n0\r\n";
const std::string DefaultLines3To21 = std::string(DefaultLines3To10) + "2\r\n0\r\n\r\n0\r\n" + Lines15To21;

TEST(ConfigFile, FirstRunDefaultsAreWrittenAsTwentyOneCrLfLines) {
  EXPECT_EQ(WriteConfig(TSettings{}, Cp1252), FirstRunBytes);
}

TEST(ConfigFile, EverySettingRoundTripsByPosition) {
  TSettings s;
  s.PeriodText = "1000";
  s.StartFolder = "D:\\" + std::string(120, 'p') + "\\Pictures of 2004";
  s.Subfolders = true;
  s.Random = true;
  s.CurrentIndex = 123456;
  s.Sound = true;
  s.Transparent = false;
  s.Startup = true;
  s.Once = true;
  s.Unit = TPeriodUnit::Seconds;
  s.HotKeyFlags = 9;
  s.PerMonitor = true;
  s.MonitorStyle = TWallpaperStyle::Fit;
  s.Paused = true;
  s.LastChangeUtc = 1'750'000'000;
  s.OnTheClock = true;
  const std::string bytes = WriteConfig(s, Cp1252);
  EXPECT_EQ(bytes, "1000\r\n" + s.StartFolder +
                       "\r\n1\r\n1\r\n123456\r\n1\r\n0\r\n1\r\n1\r\n1\r\n9\r\n1\r\n6,0\r\n1\r\n"
                       "2025-06-15T15:06:40Z\r\ns\r\n\r\n\r\n\r\n\r\n1\r\n");
  const auto read = ReadConfig(bytes, Cp1252);
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(read.Settings, s);

  // Each flag lands on its own line: flip one at a time and compare positions.
  bool TSettings::*const flags[] = {&TSettings::Subfolders,  &TSettings::Random,    &TSettings::Sound,
                                    &TSettings::Transparent, &TSettings::Startup,   &TSettings::Once,
                                    &TSettings::OnTheClock,  &TSettings::PerMonitor, &TSettings::Paused};
  for (const auto flag : flags) {
    TSettings one;
    one.*flag = !(one.*flag);
    EXPECT_EQ(ReadConfig(WriteConfig(one, Cp1252), Cp1252).Settings, one);
  }
}

TEST(ConfigFile, PerMonitorLineIsOffUnlessOne) {
  struct Case {
    const char* line12;  // nullptr: a file of eleven lines
    bool on;
    const char* error;
  };
  const Case cases[] = {
      {nullptr, false, nullptr}, {"", false, nullptr}, {"1", true, nullptr},
      {"0", false, nullptr},     {"7", true, nullptr}, {"on", false, "'on' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    std::string bytes = "5\r\nC:\\\r\n" + std::string(DefaultLines3To10) + "2\r\n";
    if (c.line12) bytes += std::string(c.line12) + "\r\n";
    const auto read = ReadConfig(bytes, Cp1252);
    EXPECT_EQ(read.Settings.PerMonitor, c.on) << bytes;
    EXPECT_EQ(read.Errors, c.error ? std::vector<std::string>{c.error} : std::vector<std::string>{}) << bytes;
  }
}

// The user's style that Span or Tile replaced was lost at exit, so a later single picture
// stayed spanned: line 13 keeps it, in the desktop's own values, and an empty line means none.
TEST(ConfigFile, MonitorStyleLineRoundTripsAndBadOnesMeanNone) {
  struct Case {
    const char* line13;  // nullptr: a file of twelve lines
    std::optional<TStyleValues> style;
    bool error;
  };
  const std::optional<std::string> missing;
  const Case cases[] = {
      {nullptr, std::nullopt, false},           {"", std::nullopt, false},
      {"0,0", TWallpaperStyle::Center, false},  {"0,1", TWallpaperStyle::Tile, false},
      {"2,0", TWallpaperStyle::Stretch, false}, {"6,0", TWallpaperStyle::Fit, false},
      {"10,0", TWallpaperStyle::Fill, false},   {"22,0", TWallpaperStyle::Span, false},
      {"10", std::nullopt, true},               {"Fill", std::nullopt, true},
      {"10,0 ", std::nullopt, true},            {"3,0", std::nullopt, true},
      // Regression: a value the desktop did not have was not remembered, so Span stayed for good.
      {",", TStyleValues{missing, missing}, false}, {",1", TStyleValues{missing, "1"}, false},
      {"10,", TStyleValues{"10", missing}, false},  {"2,1", TStyleValues{"2", "1"}, false},
      {",2", std::nullopt, true},                   {"10,0,", std::nullopt, true},
  };
  for (const auto& c : cases) {
    std::string bytes = "5\r\nC:\\\r\n" + std::string(DefaultLines3To10) + "2\r\n1\r\n";
    if (c.line13) bytes += std::string(c.line13) + "\r\n";
    const auto read = ReadConfig(bytes, Cp1252);
    EXPECT_EQ(read.Settings.MonitorStyle, c.style) << bytes;
    EXPECT_TRUE(read.Settings.PerMonitor) << bytes;
    EXPECT_EQ(read.Errors,
              c.error ? std::vector<std::string>{"'" + std::string(c.line13) + "' is not a valid wallpaper style"}
                      : std::vector<std::string>{})
        << bytes;
    // What is read is written back the same way: a bad line is saved as none.
    const std::string line13 = c.line13 && !c.error ? c.line13 : "";
    EXPECT_EQ(WriteConfig(read.Settings, Cp1252),
              "5\r\nC:\\\r\n" + std::string(DefaultLines3To10) + "2\r\n1\r\n" + line13 + "\r\n0\r\n" + Lines15To21);
  }
  // Values another program wrote, which the reader would refuse, are saved as none replaced.
  TSettings other;
  other.MonitorStyle = TStyleValues{"7", "0"};
  EXPECT_TRUE(WriteConfig(other, Cp1252).ends_with("0\r\n\r\n0\r\n" + std::string(Lines15To21)));
}

// The period's start outlives a restart (line 15); hours and days need line 16, and line 10
// keeps what earlier versions read; lines 17 to 20 are not read yet.
TEST(ConfigFile, LastChangeUnitAndOnTheClockLines) {
  const struct {
    const char* Line10;
    const char* Rest;  // lines 15 to 21; nullptr: a file of fourteen lines
    TPeriodUnit Unit;
    std::optional<std::int64_t> LastChange;
    bool OnTheClock;
    std::vector<std::string> Errors;
  } cases[] = {
      {"1", nullptr, TPeriodUnit::Seconds, std::nullopt, false, {}},
      {"0", nullptr, TPeriodUnit::Minutes, std::nullopt, false, {}},
      {"0", "2025-06-15T15:06:40Z\r\nh\r\n\r\n\r\n\r\n\r\n1", TPeriodUnit::Hours, 1'750'000'000, true, {}},
      {"1", "\r\n\r\n\r\n\r\n\r\n\r\n", TPeriodUnit::Seconds, std::nullopt, false, {}},
      {"1", "\r\nD\r\nE:\\More\r\n1\r\n640\r\n1\r\n0", TPeriodUnit::Days, std::nullopt, false, {}},
      {"1", "2025-02-29T00:00:00Z\r\nx\r\n\r\n\r\n\r\n\r\non", TPeriodUnit::Seconds, std::nullopt, false,
       {"'2025-02-29T00:00:00Z' is not a valid time (YYYY-MM-DDThh:mm:ssZ)",
        "'x' is not a valid period unit (s, m, h, d)", "'on' is not a valid integer value"}},
  };
  for (const auto& c : cases) {
    const std::string bytes = "5\r\nC:\\\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n" + std::string(c.Line10) +
                              "\r\n2\r\n0\r\n\r\n0\r\n" + (c.Rest ? std::string(c.Rest) + "\r\n" : "");
    const auto read = ReadConfig(bytes, Cp1252);
    EXPECT_EQ(read.Settings.Unit, c.Unit) << bytes;
    EXPECT_EQ(read.Settings.LastChangeUtc, c.LastChange) << bytes;
    EXPECT_EQ(read.Settings.OnTheClock, c.OnTheClock) << bytes;
    EXPECT_EQ(read.Errors, c.Errors) << bytes;
    EXPECT_EQ(ReadConfig(WriteConfig(read.Settings, Cp1252), Cp1252).Settings, read.Settings) << bytes;
  }
  std::string hours = FirstRunBytes;
  hours[hours.find("\r\nm\r\n") + 2] = 'h';
  EXPECT_EQ(WriteConfig({.Unit = TPeriodUnit::Hours}, Cp1252), hours) << "line 10 says minutes to earlier versions";
  EXPECT_EQ(WriteConfig({.LastChangeUtc = -1}, Cp1252), FirstRunBytes) << "a moment the reader would refuse";
}

TEST(ConfigFile, LoneCrAndLoneLfBreakLinesLikeCrLf) {
  const TSettings expected = ReadConfig("7\r\nE:\\P\r\n1\r\n0\r\n3\r\n1\r\n0\r\n0\r\n0\r\n1\r\n", Cp1252).Settings;
  EXPECT_EQ(expected.PeriodText, "7");
  EXPECT_EQ(expected.CurrentIndex, 3);
  for (const char* bytes : {"7\nE:\\P\n1\n0\n3\n1\n0\n0\n0\n1\n", "7\rE:\\P\r1\r0\r3\r1\r0\r0\r0\r1",
                            "7\nE:\\P\r1\r\n0\n3\r1\r\n0\n0\r0\r\n1"}) {
    const auto read = ReadConfig(bytes, Cp1252);
    EXPECT_TRUE(read.Errors.empty()) << bytes;
    EXPECT_EQ(read.Settings, expected) << bytes;
  }
}

TEST(ConfigFile, MissingAndExtraLines) {
  // Nine lines: line 10 is missing, reads as empty text, and takes its default.
  auto read = ReadConfig("5\r\nC:\\\r\n0\r\n0\r\n4\r\n0\r\n0\r\n0\r\n0\r\n", Cp1252);
  ASSERT_EQ(read.Errors, std::vector<std::string>{"'' is not a valid integer value"});
  EXPECT_EQ(read.Settings.Unit, TPeriodUnit::Minutes);
  EXPECT_EQ(read.Settings.CurrentIndex, 4);
  EXPECT_FALSE(read.Settings.Transparent);  // line 7 was read, not defaulted

  // Lines after those known (a later version's) are ignored and the next save leaves them out.
  read = ReadConfig(std::string(FirstRunBytes) + "junk\r\nmore\r\n", Cp1252);
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(WriteConfig(read.Settings, Cp1252), FirstRunBytes);

  // An empty file: every number line reports, every value is the default (line 11 is an
  // earlier version's missing line, no error).
  read = ReadConfig("", Cp1252);
  EXPECT_EQ(read.Errors.size(), 9u);
  EXPECT_EQ(read.Settings, TSettings{});
}

TEST(ConfigFile, DamagedNumberLinesTakeTheirDefaultsAndReportInLineOrder) {
  // Regression: a damaged file used to stop every start; now each bad line takes its
  // default and the message is still shown.
  const auto read = ReadConfig("5\r\nC:\\P\r\nyes\r\n1\r\n2.5\r\n1\r\n\r\n1\r\n 1\r\n1 \r\n", Cp1252);
  EXPECT_EQ(read.Errors,
            (std::vector<std::string>{"'yes' is not a valid integer value", "'2.5' is not a valid integer value",
                                      "'' is not a valid integer value", "' 1' is not a valid integer value",
                                      "'1 ' is not a valid integer value"}));
  const TSettings& s = read.Settings;
  EXPECT_FALSE(s.Subfolders);
  EXPECT_TRUE(s.Random);
  EXPECT_EQ(s.CurrentIndex, 0);
  EXPECT_TRUE(s.Sound);
  EXPECT_TRUE(s.Transparent);  // default is checked
  EXPECT_TRUE(s.Startup);
  EXPECT_FALSE(s.Once);
  EXPECT_EQ(s.Unit, TPeriodUnit::Minutes);
  EXPECT_EQ(s.StartFolder, "C:\\P");
}

TEST(ConfigFile, AnyNonZeroNumberChecksABoxAndIsSavedAsOne) {
  const auto read = ReadConfig("5\r\nC:\\\r\n2\r\n-1\r\n0\r\n+7\r\n00\r\n0\r\n0\r\n0\r\n", Cp1252);
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_TRUE(read.Settings.Subfolders);
  EXPECT_TRUE(read.Settings.Random);
  EXPECT_TRUE(read.Settings.Sound);
  EXPECT_FALSE(read.Settings.Transparent);
  EXPECT_EQ(WriteConfig(read.Settings, Cp1252),
            "5\r\nC:\\\r\n1\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n\r\n0\r\n" + std::string(Lines15To21));
}

TEST(ConfigFile, PeriodLineOutsideZeroToThousandBecomesFive) {
  struct Case {
    const char* line;
    const char* period;
    const char* error;
  };
  const Case cases[] = {
      {"0", "0", nullptr},
      {"1000", "1000", nullptr},
      {"17", "17", nullptr},
      {"1001", "5", "'1001' is not a valid period (0 to 1000)"},
      {"-1", "5", "'-1' is not a valid period (0 to 1000)"},
      {"abc", "5", "'abc' is not a valid integer value"},
      {"", "5", "'' is not a valid integer value"},
      {"5.5", "5", "'5.5' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    const auto read = ReadConfig(std::string(c.line) + "\r\nC:\\\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n", Cp1252);
    EXPECT_EQ(read.Settings.PeriodText, c.period) << c.line;
    if (c.error)
      EXPECT_EQ(read.Errors, std::vector<std::string>{c.error}) << c.line;
    else
      EXPECT_TRUE(read.Errors.empty()) << c.line;
  }
}

TEST(ConfigFile, CurrentIndexAndFolderRepairs) {
  // A negative index becomes 0 silently; a large one is kept for the list to pull back.
  auto read = ReadConfig("5\r\nC:\\\r\n0\r\n0\r\n-3\r\n0\r\n1\r\n0\r\n0\r\n0\r\n", Cp1252);
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(read.Settings.CurrentIndex, 0);
  read = ReadConfig("5\r\nC:\\\r\n0\r\n0\r\n2147483647\r\n0\r\n1\r\n0\r\n0\r\n0\r\n", Cp1252);
  EXPECT_EQ(read.Settings.CurrentIndex, 2147483647);
  // An empty folder line would name no folder at all; it falls back to the drive's root.
  read = ReadConfig("5\r\n\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n", Cp1252);
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(read.Settings.StartFolder, "C:\\");
}

TEST(ConfigFile, WriterNeverLetsAValueShiftTheLines) {
  TSettings s;
  s.StartFolder = "C:\\a\r\nb";
  s.PeriodText = "1\n2";
  const std::string bytes = WriteConfig(s, Cp1252);
  EXPECT_EQ(bytes, "12\r\nC:\\ab\r\n" + DefaultLines3To21);
}

// Files that work today keep working: a file an earlier version wrote in code page 1252
// reads as the same text, and the same settings are written back byte for byte, with lines 11 and 12.
TEST(ConfigFile, AFileInTheCodePageIsReadAndWrittenBackByteForByte) {
  for (const std::string folderLine : {"C:\\Bilder\\M\xFCller", "D:\\Caf\xE9 \x96 \x80 5 \x8A\x9C\xFF\x81"}) {
    const std::string bytes = "7\r\n" + folderLine + "\r\n1\r\n0\r\n3\r\n1\r\n0\r\n1\r\n1\r\n1\r\n";
    const auto read = ReadConfig(bytes, Cp1252);
    EXPECT_TRUE(read.Errors.empty());
    EXPECT_EQ(WriteConfig(read.Settings, Cp1252), bytes + "2\r\n0\r\n\r\n0\r\n\r\ns\r\n\r\n\r\n\r\n\r\n0\r\n");
  }
  const auto read =
      ReadConfig("5\r\nD:\\Caf\xE9 \x96 \x80 5 \x8A\x9C\xFF\x81\r\n" + std::string(DefaultLines3To10), Cp1252);
  EXPECT_EQ(read.Settings.StartFolder, U8(u"D:\\Caf\u00E9 \u2013 \u20AC 5 \u0160\u0153\u00FF\u0081"));

  TSettings s;
  s.StartFolder = U8(u"C:\\Bilder\\M\u00FCller");
  EXPECT_EQ(WriteConfig(s, Cp1252), "5\r\nC:\\Bilder\\M\xFCller\r\n" + std::string(DefaultLines3To21));
}

TEST(ConfigFile, ALineOutsideTheCodePageIsWrittenInUtf8) {
  TSettings s;
  for (const std::u16string& folder :
       {std::u16string(u"C:\\\u5199\u771F\\\u6771\u4EAC\u30BF\u30EF\u30FC"),
        std::u16string(u"C:\\\u0395\u03BB\u03BB\u03AC\u03B4\u03B1"),
        std::u16string(u"C:\\\u03A9mega \u2615 \U0001F600"),
        std::u16string(u"C:\\M\u00FCller\\\u6771\u4EAC")}) {  // one character outside takes the whole line
    s.StartFolder = U8(folder);
    const std::string bytes = WriteConfig(s, Cp1252);
    EXPECT_EQ(bytes, "5\r\n" + s.StartFolder + "\r\n" + DefaultLines3To21);
    const auto read = ReadConfig(bytes, Cp1252);
    EXPECT_TRUE(read.Errors.empty());
    EXPECT_EQ(read.Settings, s);
  }
}

TEST(ConfigFile, EachLineOfAMarkedFileIsReadInItsOwnEncoding) {
  // A UTF-8 folder next to a number line in code page 1252; the message about the bad number
  // is UTF-8 like every text the reader gives.
  const auto read = ReadConfig(
      "5\xB9\r\nC:\\\xE6\x9D\xB1\xE4\xBA\xAC\\M\xC3\xBCller\r\n\xB9\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n2\r\n",
      Cp1252);
  EXPECT_EQ(read.Settings.StartFolder, U8(u"C:\\\u6771\u4EAC\\M\u00FCller"));
  EXPECT_EQ(read.Settings.PeriodText, "5");
  EXPECT_EQ(read.Errors, (std::vector<std::string>{U8(u"'5\u00B9' is not a valid integer value"),
                                                   U8(u"'\u00B9' is not a valid integer value")}));
  // UTF-8 broken anywhere in the line makes it a code page line as a whole.
  const auto broken = ReadConfig("5\r\nC:\\caf\xC3\xA9\xFC\r\n" + std::string(DefaultLines3To21), Cp1252);
  EXPECT_EQ(broken.Settings.StartFolder, U8(u"C:\\caf\u00C3\u00A9\u00FC"));
}

// Regression: an earlier version's line whose code page bytes happen to form UTF-8 (as many
// Chinese names in code page 936 do) was read as UTF-8, another folder. Here: 1252's "C:\Ã©",
// which is UTF-8 for "C:\é". A file without line 11 is code page through and through.
TEST(ConfigFile, AnEarlierVersionsFileIsReadWhollyInTheCodePage) {
  const std::string earlier = "5\r\nC:\\\xC3\xA9\r\n" + std::string(DefaultLines3To10);
  EXPECT_EQ(ReadConfig(earlier, Cp1252).Settings.StartFolder, U8(u"C:\\\u00C3\u00A9"));
  EXPECT_EQ(ReadConfig(earlier, Cp1252).Settings.HotKeyFlags, 2u);
  // The same line in a file this version wrote is UTF-8, and the writer never writes a code
  // page text so.
  const std::string marked = "5\r\nC:\\\xC3\xA9\r\n" + std::string(DefaultLines3To21);
  EXPECT_EQ(ReadConfig(marked, Cp1252).Settings.StartFolder, U8(u"C:\\\u00E9"));
  TSettings s;
  s.StartFolder = U8(u"C:\\\u00C3\u00A9");
  const std::string bytes = WriteConfig(s, Cp1252);
  EXPECT_EQ(bytes, "5\r\n" + s.StartFolder + "\r\n" + DefaultLines3To21);
  EXPECT_EQ(ReadConfig(bytes, Cp1252).Settings, s);
  // An empty line 11 is no mark either.
  EXPECT_EQ(ReadConfig(earlier + "\r\n", Cp1252).Settings.StartFolder, U8(u"C:\\\u00C3\u00A9"));
}

// Guards against folder names that are not well-formed UTF-16 (possible on NTFS) coming back
// from the settings file as another name, decoded in the code page.
TEST(ConfigFile, ANameWithAnUnpairedSurrogateSurvivesTheFile) {
  for (const std::u16string& folder :
       {std::u16string{u'C', u':', u'\\', char16_t(0xD800), u'x'}, std::u16string{u'D', u':', u'\\', char16_t(0xDFFF)},
        std::u16string{u'E', u':', u'\\', char16_t(0xDC00), char16_t(0xD83D), u'\u00E9'}}) {
    TSettings s;
    s.StartFolder = U8(folder);
    const std::string bytes = WriteConfig(s, Cp1252);
    const auto read = ReadConfig(bytes, Cp1252);
    EXPECT_TRUE(read.Errors.empty());
    EXPECT_EQ(read.Settings.StartFolder, s.StartFolder);
    EXPECT_EQ(Utf16FromUtf8(read.Settings.StartFolder), folder);
  }
}

TEST(ConfigFile, AByteOrderMarkIsDropped) {
  // An editor's UTF-8 mark before line 1; the lines are UTF-8 then, with or without line 11.
  for (const std::string& rest : {std::string(DefaultLines3To21), std::string(DefaultLines3To10)}) {
    const auto read = ReadConfig(
        "\xEF\xBB\xBF"
        "7\r\nC:\\M\xC3\xBCller\r\n" +
            rest,
        Cp1252);
    EXPECT_TRUE(read.Errors.empty());
    EXPECT_EQ(read.Settings.PeriodText, "7");
    EXPECT_EQ(read.Settings.StartFolder, U8(u"C:\\M\u00FCller"));
  }
  // Only at the very start: elsewhere the bytes are text.
  const auto inside = ReadConfig(
      "7\r\n\xEF\xBB\xBF"
      "C:\\\r\n" +
          std::string(DefaultLines3To10),
      Cp1252);
  EXPECT_EQ(inside.Settings.StartFolder, U8(u"\u00EF\u00BB\u00BFC:\\"));
}

TEST(ConfigFile, HotKeyLineTakesOnlyTheOfferedChoices) {
  struct Case {
    const char* line;
    unsigned flags;
    const char* error;
  };
  const Case cases[] = {
      {"0", 0, nullptr},
      {"2", 2, nullptr},
      {"3", 3, nullptr},
      {"6", 6, nullptr},
      {"9", 9, nullptr},
      {"10", 10, nullptr},
      {"1", 2, "'1' is not a valid hot-key choice (2, 3, 6, 10, 9, 0)"},
      {"15", 2, "'15' is not a valid hot-key choice (2, 3, 6, 10, 9, 0)"},
      {"-2", 2, "'-2' is not a valid hot-key choice (2, 3, 6, 10, 9, 0)"},
      {"16386", 2, "'16386' is not a valid hot-key choice (2, 3, 6, 10, 9, 0)"},  // MOD_NOREPEAT | Ctrl
      {"ctrl", 2, "'ctrl' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    const auto read = ReadConfig("5\r\nC:\\\r\n" + std::string(DefaultLines3To10) + c.line + "\r\n", Cp1252);
    EXPECT_EQ(read.Settings.HotKeyFlags, c.flags) << c.line;
    if (c.error)
      EXPECT_EQ(read.Errors, std::vector<std::string>{c.error}) << c.line;
    else
      EXPECT_TRUE(read.Errors.empty()) << c.line;
  }
  // A value that is not offered is never written either.
  TSettings s;
  s.HotKeyFlags = 5;
  EXPECT_EQ(WriteConfig(s, Cp1252), FirstRunBytes);
  // A later version's line 22 is ignored; line 11 still counts.
  const auto later = ReadConfig(
      "5\r\nC:\\\r\n" + std::string(DefaultLines3To10) + "3\r\n0\r\n\r\n1\r\n" + Lines15To21 + "whatever\r\n", Cp1252);
  EXPECT_TRUE(later.Errors.empty());
  EXPECT_EQ(later.Settings.HotKeyFlags, 3u);
}

}  // namespace
}  // namespace tarvell
