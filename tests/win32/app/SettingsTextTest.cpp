// The settings file's text against Windows' own code pages and file calls: a folder an earlier
// version wrote in a double-byte code page, and names that are not well-formed UTF-16.
#include "app/ConfigFile.h"
#include "app/ConfigStore.h"
#include "base/WindowsCodePage.h"
#include "base/Utf8.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvell {
namespace {

std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

constexpr char Lines3To10[] = "0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n";

// Regression: "D:\图片" in code page 936 is also valid UTF-8 ("D:\ͼƬ"), and was read as that.
TEST(SettingsText, AnEarlierVersionsChineseFolderIsReadInItsCodePage) {
  const TWindowsCodePage cp936(936);
  const std::string line = "D:\\\xCD\xBC\xC6\xAC";
  const std::string folder = U8(u"D:\\\u56FE\u7247");
  ASSERT_TRUE(IsValidUtf8(line));
  ASSERT_EQ(cp936.Decode(line), folder);

  const TSettings read = ReadConfig("5\r\n" + line + "\r\n" + Lines3To10, cp936).Settings;
  EXPECT_EQ(read.StartFolder, folder);
  // Written back, the name is UTF-8 (its code page bytes would read as another name) and
  // comes back whole.
  const std::string bytes = WriteConfig(read, cp936);
  EXPECT_EQ(bytes, "5\r\n" + folder + "\r\n" + Lines3To10 + "2\r\n0\r\n\r\n0\r\n\r\nm\r\n\r\n\r\n\r\n\r\n0\r\n");
  EXPECT_EQ(ReadConfig(bytes, cp936).Settings, read);
}

TEST(SettingsText, AFolderWithAnUnpairedSurrogateSurvivesTheFile) {
  test::TTempFolder temp;
  const std::string path = temp.File("Tarvell.cfg");
  TSettings settings;
  settings.StartFolder = U8(std::u16string{u'C', u':', u'\\', char16_t(0xD83D), u'x', char16_t(0xDE00)});
  ReplaceConfigFile(path, WriteConfig(settings, SystemLegacyCodePage()));
  const auto bytes = ReadConfigFile(path);
  ASSERT_TRUE(bytes);
  const TConfigReadResult read = ReadConfig(*bytes, SystemLegacyCodePage());
  EXPECT_TRUE(read.Errors.empty());
  EXPECT_EQ(read.Settings.StartFolder, settings.StartFolder);
}

}  // namespace
}  // namespace tarvell
