#include "windows/HelpText.h"
#include "windows/ProductLinks.h"

#include <gtest/gtest.h>

namespace tarvell {
namespace {

TEST(HelpText, LinesAsTheHelpWindowShowsThem) {
  ASSERT_EQ(HelpLineCount, 53u);
  EXPECT_EQ(HelpLines[0], std::string(48, ' ') + "Tarvell version 2.1");
  EXPECT_EQ(HelpLines[4], "Main features: ");
  EXPECT_EQ(HelpLines[15], " ");  // the blank line between the lists holds one blank
  EXPECT_EQ(HelpLines[16], "Hot keys:");
  EXPECT_EQ(HelpLines[31], "At unhidden mode: ");
  EXPECT_EQ(HelpLines[37], "- Enable \"sound\" for \"tik\" sound on every change.");
  EXPECT_EQ(HelpLines[40], "- Enable \"once at startup\" for automatic program close after first picture changing. ");
  EXPECT_EQ(HelpLines[45], "Troubleshooting");
  EXPECT_EQ(HelpLines[52], "");
  // Blanks at line ends are part of the text.
  for (std::size_t i : {4u, 6u, 8u, 11u, 13u, 31u, 40u}) EXPECT_EQ(HelpLines[i].back(), ' ') << i;
}

TEST(HelpText, ContactLinesNameTheProductAddresses) {
  EXPECT_NE(HelpLines[50].find(SupportMailAddress), std::string_view::npos);
  EXPECT_NE(HelpLines[51].find(ProductWebPage), std::string_view::npos);
  EXPECT_EQ(SupportMailLink, "mailto:" + std::string(SupportMailAddress));
}

TEST(HelpText, JoinedWithCrLfForTheTextControl) {
  const std::string text = HelpText();
  std::size_t breaks = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++breaks;
  EXPECT_EQ(breaks, HelpLineCount - 1);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);  // no bare line feeds
  EXPECT_EQ(text.substr(0, HelpLines[0].size() + 2), std::string(HelpLines[0]) + "\r\n");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");  // the last, empty line
}

// Guards against help that sends the user to the Windows directory while the settings file
// is kept in the per-user folder.
TEST(HelpText, TheTroubleshootingLineNamesTheSettingsFolder) {
  EXPECT_EQ(HelpLines[SettingsFileLine].substr(0, 29), "- If program does not start, ");
  const std::string folder = "C:\\users\\ann\\AppData\\Local\\Tarvell";
  const std::string line = SettingsFileHelpLine(folder);
  EXPECT_EQ(line, "- If program does not start, delete configuration file \"Tarvell.cfg\" in " + folder + ".");
  const std::string text = HelpText(folder);
  EXPECT_NE(text.find("\r\n" + line + "\r\n"), std::string::npos);
  EXPECT_EQ(text.find("Windows directory"), std::string::npos);
  EXPECT_EQ(SettingsFileHelpLine(""), HelpLines[SettingsFileLine]);
}

TEST(HelpText, TheHotKeyLinesNameTheKeysInForce) {
  EXPECT_EQ(HelpText(), HelpText({}, THelpHotKeys{}));  // Ctrl: the text as written
  for (std::size_t n = 0; n < 4; ++n)
    EXPECT_EQ(HotKeyHelpLine(n, HelpLines[FirstHotKeyLine + n].substr(2, 6)), HelpLines[FirstHotKeyLine + n]);
  const std::string text = HelpText({}, THelpHotKeys{"Ctrl+Alt+Z", "Ctrl+Alt+A", "Ctrl+Alt+D", "Ctrl+Alt+Q",
                                                     "Ctrl+Alt+X", "Ctrl+Alt+P", "Ctrl+Alt+N"});
  for (const char* line : {"- Ctrl+Alt+Z - set next picture;", "- Ctrl+Alt+A - clear picture;",
                           "- Ctrl+Alt+D - delete annoying file from disk;", "- Ctrl+Alt+Q - quit;",
                           "- Ctrl+Alt+X - set previous picture;", "- Ctrl+Alt+P - pause or resume changing;",
                           "- Ctrl+Alt+N - never show current picture again (the main window's \"Never shown\" list takes it back);"})
    EXPECT_NE(text.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line;
  EXPECT_EQ(text.find("- Ctrl+Z"), std::string::npos);
  const std::string none = HelpText({}, THelpHotKeys{"", "", "", "", "", "", ""});
  EXPECT_NE(none.find("\r\n- (no key) - quit;\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tarvell
