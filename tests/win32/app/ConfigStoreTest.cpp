#include "app/ConfigStore.h"

#include "app/ConfigFile.h"
#include "base/WindowsCodePage.h"
#include "base/Exception.h"
#include "base/Utf8.h"
#include "base/WideText.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tarvell {
namespace {

std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

// Files and folders made with the wide calls, removed again in reverse order.
class TWideTree {
public:
  TWideTree() = default;
  TWideTree(const TWideTree&) = delete;
  TWideTree& operator=(const TWideTree&) = delete;
  ~TWideTree() {
    for (auto it = FMade.rbegin(); it != FMade.rend(); ++it)
      if (!::DeleteFileW(WidePath(it->first).c_str()) && it->second) ::RemoveDirectoryW(WidePath(it->first).c_str());
  }

  std::string Folder(const std::string& path) {
    EXPECT_TRUE(::CreateDirectoryW(WidePath(path).c_str(), nullptr)) << path;
    FMade.emplace_back(path, true);
    return path;
  }

  std::string File(const std::string& path, const std::string& bytes) {
    HANDLE file =
        ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD put = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    ::CloseHandle(file);
    FMade.emplace_back(path, false);
    return path;
  }

private:
  std::vector<std::pair<std::string, bool>> FMade;
};

constexpr char EarlierFile[] = "5\r\nC:\\Bilder\\M\xFCller\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n";

// Regression: the settings file was opened with the 8-bit calls, so a per-user folder
// with a name outside the code page, or a path past 260 characters, had no settings.
TEST(ConfigStore, ReadsAFileInAFolderOfAnyNameAndLength) {
  test::TTempFolder temp;
  TWideTree tree;
  const std::string folder = tree.Folder(temp.File(U8(u"\u8A2D\u5B9A \u03A9mega \u2615")));
  const std::string path = tree.File(folder + "\\Tarvell.cfg", EarlierFile);
  const auto bytes = ReadConfigFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, EarlierFile);
  // The file an earlier version wrote in code page 1252 reads as the same folder.
  EXPECT_EQ(ReadConfig(*bytes, TWindowsCodePage(1252)).Settings.StartFolder, U8(u"C:\\Bilder\\M\u00FCller"));

  std::string deep = folder;
  while (deep.size() < 300) deep = tree.Folder(deep + "\\" + std::string(60, 'd'));
  const std::string deepPath = tree.File(deep + "\\Tarvell.cfg", EarlierFile);
  EXPECT_EQ(ReadConfigFile(deepPath), EarlierFile);

  EXPECT_EQ(ReadConfigFile(folder + "\\missing.cfg"), std::nullopt);
  EXPECT_EQ(ReadConfigFile(folder + U8(u"\\\u03A9\\Tarvell.cfg")), std::nullopt);  // no such folder
}

TEST(ConfigStore, SettingsOutsideTheCodePageSurviveTheFile) {
  test::TTempFolder temp;
  const std::string path = temp.File("Tarvell.cfg");
  TSettings settings;
  settings.StartFolder = U8(u"C:\\\u5199\u771F\\\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \U0001F600");
  settings.Random = true;
  ReplaceConfigFile(path, WriteConfig(settings, SystemLegacyCodePage()));
  const auto bytes = ReadConfigFile(path);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, "5\r\n" + settings.StartFolder + "\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n2\r\n0\r\n\r\n0\r\n"
                    "\r\nm\r\n\r\n\r\n\r\n\r\n0\r\n");
  EXPECT_EQ(ReadConfig(*bytes, SystemLegacyCodePage()).Settings, settings);
}

}  // namespace
}  // namespace tarvell
