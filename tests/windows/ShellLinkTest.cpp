#include "desktop/ShellLink.h"

#include <gtest/gtest.h>

#include "LinkFile.h"
#include "TempFolder.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

TEST(ShellLink, SavedShortcutReadsBack) {
  TTempFolder tmp;
  const std::string target = tmp.File("Program Files\\Tarvell.exe");
  const std::string link = tmp.File("Tarvell.lnk");
  ASSERT_TRUE(CreateShellLink(link, TShellLinkInfo{target, "\\Tarvell.lnk", SW_SHOW}));
  const std::optional<TShellLinkInfo> read = ReadShellLink(link);
  ASSERT_TRUE(read);
  EXPECT_EQ(::lstrcmpiA(read->Target.c_str(), target.c_str()), 0) << read->Target;
  EXPECT_EQ(read->Description, "\\Tarvell.lnk");
  EXPECT_EQ(StoredShowCommand(link), std::optional<std::uint32_t>(SW_SHOW));
}

TEST(ShellLink, UnsavableOrUnreadableShortcutsAreReported) {
  TTempFolder tmp;
  const std::string link = tmp.File("no such folder\\Tarvell.lnk");
  EXPECT_FALSE(CreateShellLink(link, TShellLinkInfo{tmp.File("x.exe"), "", SW_SHOW}));
  EXPECT_FALSE(PathExists(link));
  EXPECT_FALSE(ReadShellLink(link));
  WriteTextFile(tmp.File("plain.lnk"), "not a shortcut");
  EXPECT_FALSE(ReadShellLink(tmp.File("plain.lnk")));
}

}  // namespace
}  // namespace tarvell
