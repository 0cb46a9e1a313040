#include "app/ConfigFile.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

constexpr char FirstRunBytes[] = "5\r\nC:\\\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n";

TEST(ConfigFile, FirstRunDefaultsAreWrittenAsTenCrLfLines) { EXPECT_EQ(WriteConfig(TSettings{}), FirstRunBytes); }

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
  s.SecondsMode = true;
  const std::string bytes = WriteConfig(s);
  EXPECT_EQ(bytes, "1000\r\n" + s.StartFolder + "\r\n1\r\n1\r\n123456\r\n1\r\n0\r\n1\r\n1\r\n1\r\n");
  const auto read = ReadConfig(bytes);
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(read.Settings, s);

  // Each flag lands on its own line: flip one at a time and compare positions.
  bool TSettings::*const flags[] = {&TSettings::Subfolders,  &TSettings::Random,  &TSettings::Sound,
                                    &TSettings::Transparent, &TSettings::Startup, &TSettings::Once,
                                    &TSettings::SecondsMode};
  for (const auto flag : flags) {
    TSettings one;
    one.*flag = !(one.*flag);
    EXPECT_EQ(ReadConfig(WriteConfig(one)).Settings, one);
  }
}

TEST(ConfigFile, LoneCrAndLoneLfBreakLinesLikeCrLf) {
  const TSettings expected = ReadConfig("7\r\nE:\\P\r\n1\r\n0\r\n3\r\n1\r\n0\r\n0\r\n0\r\n1\r\n").Settings;
  EXPECT_EQ(expected.PeriodText, "7");
  EXPECT_EQ(expected.CurrentIndex, 3);
  for (const char* bytes : {"7\nE:\\P\n1\n0\n3\n1\n0\n0\n0\n1\n", "7\rE:\\P\r1\r0\r3\r1\r0\r0\r0\r1",
                            "7\nE:\\P\r1\r\n0\n3\r1\r\n0\n0\r0\r\n1"}) {
    const auto read = ReadConfig(bytes);
    EXPECT_TRUE(read.Errors.empty()) << bytes;
    EXPECT_EQ(read.Settings, expected) << bytes;
  }
}

TEST(ConfigFile, MissingAndExtraLines) {
  // Nine lines: line 10 is missing, reads as empty text, and takes its default.
  auto read = ReadConfig("5\r\nC:\\\r\n0\r\n0\r\n4\r\n0\r\n0\r\n0\r\n0\r\n");
  ASSERT_EQ(read.Errors, std::vector<std::string>{"'' is not a valid integer value"});
  EXPECT_FALSE(read.Settings.SecondsMode);
  EXPECT_EQ(read.Settings.CurrentIndex, 4);
  EXPECT_FALSE(read.Settings.Transparent);  // line 7 was read, not defaulted

  // More than ten lines: the rest is ignored and the next save writes ten.
  read = ReadConfig(std::string(FirstRunBytes) + "junk\r\nmore\r\n");
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(WriteConfig(read.Settings), FirstRunBytes);

  // An empty file: every number line reports, every value is the default.
  read = ReadConfig("");
  EXPECT_EQ(read.Errors.size(), 9u);
  EXPECT_EQ(read.Settings, TSettings{});
}

TEST(ConfigFile, DamagedNumberLinesTakeTheirDefaultsAndReportInLineOrder) {
  // Regression: a damaged file used to stop every start; now each bad line takes its
  // default and the message is still shown.
  const auto read = ReadConfig("5\r\nC:\\P\r\nyes\r\n1\r\n2.5\r\n1\r\n\r\n1\r\n 1\r\n1 \r\n");
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
  EXPECT_FALSE(s.SecondsMode);
  EXPECT_EQ(s.StartFolder, "C:\\P");
}

TEST(ConfigFile, AnyNonZeroNumberChecksABoxAndIsSavedAsOne) {
  const auto read = ReadConfig("5\r\nC:\\\r\n2\r\n-1\r\n0\r\n+7\r\n00\r\n0\r\n0\r\n0\r\n");
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_TRUE(read.Settings.Subfolders);
  EXPECT_TRUE(read.Settings.Random);
  EXPECT_TRUE(read.Settings.Sound);
  EXPECT_FALSE(read.Settings.Transparent);
  EXPECT_EQ(WriteConfig(read.Settings), "5\r\nC:\\\r\n1\r\n1\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n");
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
    const auto read = ReadConfig(std::string(c.line) + "\r\nC:\\\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(read.Settings.PeriodText, c.period) << c.line;
    if (c.error)
      EXPECT_EQ(read.Errors, std::vector<std::string>{c.error}) << c.line;
    else
      EXPECT_TRUE(read.Errors.empty()) << c.line;
  }
}

TEST(ConfigFile, CurrentIndexAndFolderRepairs) {
  // A negative index becomes 0 silently; a large one is kept for the list to pull back.
  auto read = ReadConfig("5\r\nC:\\\r\n0\r\n0\r\n-3\r\n0\r\n1\r\n0\r\n0\r\n0\r\n");
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(read.Settings.CurrentIndex, 0);
  read = ReadConfig("5\r\nC:\\\r\n0\r\n0\r\n2147483647\r\n0\r\n1\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(read.Settings.CurrentIndex, 2147483647);
  // An empty folder line would name no folder at all; it falls back to the drive's root.
  read = ReadConfig("5\r\n\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n");
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(read.Settings.StartFolder, "C:\\");
}

TEST(ConfigFile, WriterNeverLetsAValueShiftTheLines) {
  TSettings s;
  s.StartFolder = "C:\\a\r\nb";
  s.PeriodText = "1\n2";
  const std::string bytes = WriteConfig(s);
  EXPECT_EQ(bytes, "12\r\nC:\\ab\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n");
}

}  // namespace
}  // namespace tarvell
