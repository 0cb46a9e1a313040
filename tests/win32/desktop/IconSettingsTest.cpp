#include "desktop/IconSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestRegistry.h"
#include "gui/Dialogs.h"
#include "base/Exception.h"

namespace tarvell {
namespace {

using namespace tarvell::test;

const std::string Root = "Software\\TarvellTest";
const char* const Privileges = "box 0 Error: Need more privileges for registry update";

// The four keys moved under HKEY_CURRENT_USER\Software\TarvellTest, where the test decides
// which exist and which refuse writes. Message boxes and beeps are recorded as events.
class IconSettings : public ::testing::Test {
protected:
  TIconSettingKeys Keys{{HKEY_CURRENT_USER, Root + "\\UserMetrics"},
                        {HKEY_CURRENT_USER, Root + "\\DefaultMetrics"},
                        {HKEY_CURRENT_USER, Root + "\\lnkfile"},
                        {HKEY_CURRENT_USER, Root + "\\piffile"},
                        {HKEY_CURRENT_USER, Root + "\\Program"}};
  std::vector<std::string> Events;
  TInstallHooks Hooks;

  void SetUp() override {
    SetMessageBoxHook([this](const std::string& text, const std::string& caption, unsigned type) {
      Events.push_back("box " + std::to_string(type) + " " + caption + ": " + text);
      return IDOK;
    });
    Hooks.Beep = [this](unsigned long frequency, unsigned long duration) {
      Events.push_back("beep " + std::to_string(frequency) + " " + std::to_string(duration));
    };
  }
  void TearDown() override { SetMessageBoxHook({}); }

  static std::optional<std::string> Bpp(const TRegistryKeyPath& key) {
    return RegReadString(key.Root, key.Path, "Shell Icon BPP");
  }
  static std::optional<std::string> Arrow(const TRegistryKeyPath& key) {
    return RegReadString(key.Root, key.Path, "isShortcut");
  }
};

TEST_F(IconSettings, ShellIconBppPresentNeedsNoRightsToWrite) {
  RegWriteString(HKEY_CURRENT_USER, Keys.UserMetrics.Path, "Shell Icon BPP", "8");
  RegAllowReadOnly(HKEY_CURRENT_USER, Keys.UserMetrics.Path);
  SetShellIconBpp(Keys.UserMetrics, Hooks);
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(Bpp(Keys.UserMetrics), "8");

  // Read-only and without the value: the write fails and the user is told.
  RegWriteString(HKEY_CURRENT_USER, Keys.DefaultMetrics.Path, "Other", "");
  RegAllowReadOnly(HKEY_CURRENT_USER, Keys.DefaultMetrics.Path);
  SetShellIconBpp(Keys.DefaultMetrics, Hooks);
  const std::vector<std::string> expected = {"beep 1000 500", Privileges};
  EXPECT_EQ(Events, expected);
}

// Guards against a beep and a box at every installation by a normal user: the default user's
// key is the system account's and never writable, so only the current user's failure is told.
TEST_F(IconSettings, OnlyTheCurrentUsersFailedShellIconBppWriteIsReported) {
  struct TCase {
    bool UserKeyWritable, DefaultKeyWritable;
    std::vector<std::string> Expected;
  };
  const std::vector<std::string> told = {"beep 1000 500", Privileges};
  const std::vector<TCase> cases = {{true, true, {}}, {true, false, {}}, {false, true, told}, {false, false, told}};
  for (const TCase& c : cases) {
    Events.clear();
    TIconSettingKeys keys = Keys;
    keys.UserMetrics.Path += c.UserKeyWritable ? "W" : "R";
    keys.DefaultMetrics.Path += c.DefaultKeyWritable ? "W" : "R";
    for (const TRegistryKeyPath* key : {&keys.UserMetrics, &keys.DefaultMetrics}) {
      RegCreate(HKEY_CURRENT_USER, key->Path);
      if (key->Path.back() == 'R') RegDenyAll(HKEY_CURRENT_USER, key->Path);
    }
    InstallIconSettings(keys, Hooks);
    EXPECT_EQ(Events, c.Expected) << keys.UserMetrics.Path << " " << keys.DefaultMetrics.Path;
    if (c.DefaultKeyWritable) {
      EXPECT_EQ(Bpp(keys.DefaultMetrics), "32");
    }
  }
  // A missing default key is passed over as silently, and is not created.
  Events.clear();
  TIconSettingKeys missing = Keys;
  missing.UserMetrics.Path += "W";
  missing.DefaultMetrics.Path = Root + "\\NoSuchUser";
  InstallIconSettings(missing, Hooks);
  EXPECT_TRUE(Events.empty());
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, missing.DefaultMetrics.Path));
}

// Guards against broken taskbar pins and jump lists: deleting "isShortcut" from the shortcut
// classes makes the shell stop treating them as shortcuts, for every user of the machine.
TEST_F(IconSettings, InstallNeverTouchesTheArrowSetting) {
  RegCreate(HKEY_CURRENT_USER, Keys.UserMetrics.Path);
  RegCreate(HKEY_CURRENT_USER, Keys.DefaultMetrics.Path);
  RegWriteString(HKEY_CURRENT_USER, Keys.LinkClass.Path, "IsShortcut", "yes");
  RegWriteString(HKEY_CURRENT_USER, Keys.PifClass.Path, "isShortcut", "");
  InstallIconSettings(Keys, Hooks);
  EXPECT_TRUE(Events.empty());
  EXPECT_EQ(Bpp(Keys.UserMetrics), "32");
  EXPECT_EQ(Bpp(Keys.DefaultMetrics), "32");
  EXPECT_EQ(Arrow(Keys.LinkClass), "yes");
  EXPECT_EQ(Arrow(Keys.PifClass), "");
}

// Installation writes "Shell Icon BPP" only where it is absent, whatever data is there. Guards
// against an uninstall that takes away a depth set before: only the value installation wrote
// goes, and the program's notes with it.
TEST_F(IconSettings, ShellIconBppIsWrittenOnlyWhenAbsentAndRestoredToWhatWasThere) {
  using TBpp = std::optional<std::string>;
  const std::pair<TBpp, TBpp> beforeInstall[] = {{{}, {}}, {"16", {}}, {{}, "24"}, {"32", "32"}};
  for (const auto& [user, defaultUser] : beforeInstall) {
    for (const auto& [key, data] : {std::pair{Keys.UserMetrics, user}, std::pair{Keys.DefaultMetrics, defaultUser}}) {
      RegCreate(HKEY_CURRENT_USER, key.Path);
      RegDeleteValue(HKEY_CURRENT_USER, key.Path, "Shell Icon BPP");
      if (data) RegWriteString(HKEY_CURRENT_USER, key.Path, "Shell Icon BPP", *data);
    }
    InstallIconSettings(Keys, Hooks);
    EXPECT_EQ(Bpp(Keys.UserMetrics), user.value_or("32"));
    EXPECT_EQ(Bpp(Keys.DefaultMetrics), defaultUser.value_or("32"));
    RestoreIconSettings(Keys);
    EXPECT_EQ(Bpp(Keys.UserMetrics), user);
    EXPECT_EQ(Bpp(Keys.DefaultMetrics), defaultUser);
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Keys.Program.Path));
  }
  EXPECT_TRUE(Events.empty());
}

// Guards against an uninstall that stops half-way on a system that lacks one of the classes:
// a key that does not exist has nothing to give back and is skipped, never created.
TEST_F(IconSettings, RestoreSkipsKeysThatDoNotExist) {
  RegCreate(HKEY_CURRENT_USER, Keys.PifClass.Path);
  EXPECT_NO_THROW(RestoreIconSettings(Keys));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Keys.UserMetrics.Path));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Keys.DefaultMetrics.Path));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, Keys.LinkClass.Path));
  EXPECT_EQ(Arrow(Keys.PifClass), "") << "the class after the missing one is still restored";
}

TEST_F(IconSettings, RestoreRaisesWhenAnExistingClassRefusesTheWrite) {
  RegCreate(HKEY_CURRENT_USER, Keys.LinkClass.Path);
  RegCreate(HKEY_CURRENT_USER, Keys.PifClass.Path);
  RegDenyAll(HKEY_CURRENT_USER, Keys.PifClass.Path);
  try {
    RestoreIconSettings(Keys);
    ADD_FAILURE() << "no error raised";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'isShortcut'");
  }
  EXPECT_EQ(Arrow(Keys.LinkClass), "");
}

// Guards against an uninstall that failed for a normal user: "isShortcut" still present (the
// installation could not delete it) needs no write, so a class key the user may only read
// raises nothing and keeps its data.
TEST_F(IconSettings, RestoreWritesNothingWhereTheArrowSettingIsStillThere) {
  RegWriteString(HKEY_CURRENT_USER, Keys.LinkClass.Path, "isShortcut", "");
  RegWriteString(HKEY_CURRENT_USER, Keys.PifClass.Path, "IsShortcut", "kept");
  RegAllowReadOnly(HKEY_CURRENT_USER, Keys.LinkClass.Path);
  RegAllowReadOnly(HKEY_CURRENT_USER, Keys.PifClass.Path);
  EXPECT_NO_THROW(RestoreIconSettings(Keys));
  EXPECT_EQ(Arrow(Keys.LinkClass), "");
  EXPECT_EQ(Arrow(Keys.PifClass), "kept");
  EXPECT_TRUE(Events.empty());
}

}  // namespace
}  // namespace tarvell
