#include "slideshow/ShowHistory.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

// Each path is there unless its name holds "gone".
bool Exists(const std::string& path) { return path.find("gone") == std::string::npos; }

std::string Shown(const std::optional<THistoryEntry>& entry) { return entry ? entry->back() : "nothing"; }

TEST(ShowHistory, WalksBackAndForthLikeABrowserPassingOverFilesGone) {
  TShowHistory history;
  for (const char* path : {"C:\\a", "C:\\b", "C:\\gone-c", "C:\\d", "C:\\e"}) EXPECT_TRUE(history.Record({path}));
  EXPECT_FALSE(history.SteppedBack());
  struct Step {
    bool back;
    const char* expected;
    std::size_t shown;
  };
  const Step steps[] = {{true, "C:\\d", 3},    {true, "C:\\b", 1},     {true, "C:\\a", 0},
                        {true, "nothing", 0},  {false, "C:\\b", 1},    {false, "C:\\d", 3},
                        {false, "C:\\e", 4},   {false, "nothing", 4}, {true, "C:\\d", 3}};
  for (const Step& s : steps) {
    EXPECT_EQ(Shown(s.back ? history.Back(Exists) : history.Forward(Exists)), s.expected);
    EXPECT_EQ(history.Shown(), s.shown) << s.expected;
  }
  EXPECT_TRUE(history.SteppedBack());
  // A new change while stepped back goes at the end; Next takes new pictures again.
  history.Record({"c:\\F"});
  EXPECT_EQ(history.Entries().size(), 6u);
  EXPECT_EQ(history.Shown(), 5u);
  EXPECT_FALSE(history.SteppedBack());
  // A monitor's picture gone makes the whole change unfit: it is re-applied exactly or not at all.
  history.Record({"C:\\p", "D:\\gone-q"});
  history.Record({"C:\\r", "D:\\s"});
  EXPECT_EQ(Shown(history.Back(Exists)), "c:\\F");
}

TEST(ShowHistory, KeepsTheLast500AndRecordsOnlyWhatReadsBack) {
  TShowHistory history;
  for (int i = 0; i <= 500; ++i) history.Record({"C:\\" + std::to_string(i)});
  ASSERT_EQ(history.Entries().size(), 500u);
  EXPECT_EQ(history.Entries().front().front(), "C:\\1");
  // The picture shown again (any case) is no step back.
  EXPECT_TRUE(history.Record({"c:\\500"}));
  EXPECT_EQ(history.Entries().size(), 500u);
  for (const THistoryEntry& bad : {THistoryEntry{}, THistoryEntry{"a.jpg"}, THistoryEntry{"C:\\a|b"},
                                   THistoryEntry{"C:\\a", ""}, THistoryEntry{"C:\\a\r\nC:\\b"}})
    EXPECT_FALSE(history.Record(bad));
  EXPECT_EQ(history.Entries().back().front(), "C:\\500");
}

TEST(ShowHistory, FileTextKeepsThePositionAndDropsDamagedLines) {
  struct Case {
    std::string text;
    std::size_t entries;
    std::size_t shown;
    std::string written;  // empty: the text itself
  };
  const std::string abc = "C:\\a\r\nD:\\b|\\\\srv\\s\\c\r\nC:\\d\r\n";
  const Case cases[] = {
      {"", 0, 0, ""},
      {abc, 3, 2, ""},
      {"<2\r\n" + abc, 3, 0, ""},
      {"<1\r\n" + abc, 3, 1, ""},
      {"<9\r\n" + abc, 3, 0, "<2\r\n" + abc},  // further back than the oldest: the oldest
      {"<0\r\n" + abc, 3, 2, abc},
      {"<x\r\n" + abc, 3, 2, abc},
      {"\xEF\xBB\xBF<1\nC:\\a\rD:\\b|\\\\srv\\s\\c\n\nC:\\d", 3, 1, "<1\r\n" + abc},
      {"C:\\a\r\n\r\nrelative\\x\r\n<1\r\nC:\\a||C:\\b\r\nC:\\x|\r\n|\r\nD:\\b|\\\\srv\\s\\c\r\nC:\\d\r\n", 3, 2, abc},
  };
  for (const Case& c : cases) {
    const TShowHistory history = TShowHistory::Parse(c.text);
    EXPECT_EQ(history.Entries().size(), c.entries) << c.text;
    EXPECT_EQ(history.Shown(), c.shown) << c.text;
    EXPECT_EQ(history.Format(), c.written.empty() ? c.text : c.written) << c.text;
  }
  EXPECT_EQ(TShowHistory::Parse(abc).Entries()[1], (THistoryEntry{"D:\\b", "\\\\srv\\s\\c"}));
  // A longer file (edited by hand) keeps its newest 500; the steps count from the newest.
  std::string text = "<3\r\n";
  for (int i = 0; i < 600; ++i) text += "C:\\" + std::to_string(i) + "\r\n";
  TShowHistory history = TShowHistory::Parse(text);
  EXPECT_EQ(history.Entries().size(), 500u);
  EXPECT_EQ(Shown(history.Forward(Exists)), "C:\\597");
}

}  // namespace
}  // namespace tarvell
