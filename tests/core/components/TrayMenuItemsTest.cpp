#include "components/TrayMenuItems.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvell {
namespace {

// The menu as one line an item: "text|key|enabled"; "-" for a separator.
std::string Lines(const std::vector<TTrayMenuItem>& items) {
  std::string text;
  for (const TTrayMenuItem& item : items)
    text += item.Text.empty() ? "-\n" : item.Text + "|" + item.Key + "|" + (item.Enabled ? "on" : "off") + "\n";
  return text;
}

TEST(TrayMenuItems, EveryCommandInOrderWithTheKeyInForce) {
  const struct {
    bool picture, paused;
    unsigned flags;
    const char* menu;
  } cases[] = {
      {true, false, 2,
       "C:\\p\\a.jpg||off\n-\n&Next|Ctrl+Z|on\n&Previous||on\nP&ause||on\nNe&ver show this picture||on\n-\n"
       "Show in &folder||on\n&Copy path||on\n-\n&Open Tarvell||on\n&Quit|Ctrl+Q|on\n"},
      {true, true, 6,
       "C:\\p\\a.jpg||off\n-\n&Next|Ctrl+Shift+Z|on\n&Previous|Ctrl+Shift+X|on\n&Resume|Ctrl+Shift+P|on\n"
       "Ne&ver show this picture|Ctrl+Shift+N|on\n-\nShow in &folder||on\n&Copy path||on\n-\n&Open Tarvell||on\n"
       "&Quit|Ctrl+Shift+Q|on\n"},
      {false, false, 0,
       "C:\\p\\a.jpg||off\n-\n&Next||on\n&Previous||on\nP&ause||on\nNe&ver show this picture||off\n-\n"
       "Show in &folder||off\n&Copy path||off\n-\n&Open Tarvell||on\n&Quit||on\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Lines(TrayMenuItems("C:\\p\\a.jpg", c.picture, c.paused, c.flags)), c.menu);
  // Each command once.
  const auto items = TrayMenuItems("t", true, false, 2);
  for (int command = 1; command <= static_cast<int>(TTrayMenuCommand::Quit); ++command)
    EXPECT_EQ(std::count_if(items.begin(), items.end(),
                            [&](const TTrayMenuItem& i) { return static_cast<int>(i.Command) == command; }),
              1)
        << command;
}

}  // namespace
}  // namespace tarvell
