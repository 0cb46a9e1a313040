// The start every end-to-end case shares: no settings and no wallpaper file, the program
// counted as installed, a folder for the pictures; then a run started up to its tray icon.
#pragma once

#include "app/ConfigFile.h"
#include "base/WindowsCodePage.h"
#include "tests/e2e/support/Pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvell::e2e {

inline const std::string Slides = "C:\\Slides";

// The settings file's bytes as this version writes them.
inline std::string SettingsFile(const TSettings& settings) { return WriteConfig(settings, SystemLegacyCodePage()); }
inline bool WriteSettings(const TSettings& settings) {
  return WriteWholeFile(TTarvellRun::ConfigPath(), SettingsFile(settings));
}

// The settings file as the program left it.
inline std::string SavedSettings() { return ReadWholeFile(TTarvellRun::ConfigPath()).value_or("<no file>"); }
// Its 21 lines, as many as this version writes.
inline std::vector<std::string> SavedLines() {
  std::vector<std::string> saved = TTarvellRun::ConfigLines();
  EXPECT_EQ(saved.size(), 21u);
  saved.resize(21);
  return saved;
}

class TTarvellCase : public ::testing::Test {
protected:
  void SetUp() override {
    DeleteFileA(TTarvellRun::ConfigPath().c_str());
    DeleteFileA(TTarvellRun::WallpaperPath().c_str());
    CreateDirectoryA(Slides.c_str(), nullptr);
    ASSERT_TRUE(TTarvellRun::MarkInstalled());
  }

  // A picture of its own size, so that every picture decodes to a different bitmap.
  static std::string AddPicture(const std::string& folder, const std::string& name, int width, int height) {
    const std::string path = folder + "\\" + name;
    EXPECT_TRUE(WriteWholeFile(path, SizedJpeg(width, height))) << path;
    return path;
  }
  static std::string AddPicture(const std::string& name, int width, int height) {
    return AddPicture(Slides, name, width, height);
  }

  void StartToTray(const std::string& args = {}) {
    ASSERT_EQ(run.StartToTray(args), "");
    main = run.Main();
    tray = run.Tray();
    // The list is made off the window's thread, after the tray icon: a folder with pictures
    // puts the position into the caption once it is ready.
    WaitUntil([this] { return WindowText(main) != MainCaption; }, 3000);
  }
  void StartToTray(const TSettings& settings, const std::string& args = {}) {
    ASSERT_TRUE(WriteSettings(settings));
    StartToTray(args);
  }
  void ShowFromTray() { ASSERT_TRUE(run.ShowFromTray()); }

  TTarvellRun run;
  HWND main = nullptr;
  HWND tray = nullptr;
};

}  // namespace tarvell::e2e
