// One run of Tarvell.exe in the test's Wine prefix: its settings file, its windows, its tray
// icon, and the ways a user reaches them.
#pragma once

#include "tests/e2e/support/Driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvell::e2e {

inline constexpr const char MainCaption[] = "Tarvell ver. 2.1";
inline constexpr const char FormClass[] = "TTarvellForm";
inline constexpr const char AppClass[] = "TApplication";
inline constexpr UINT TrayCallback = 2024;

// Success when `process` ends within the time with exit code 0; otherwise says whether it
// ended with another code or still runs, and then which windows it shows, so that a run that
// did not end tells what held it.
testing::AssertionResult EndedWithZero(const TProcess& process, DWORD timeoutMs);

class TTarvellRun {
public:
  static std::string Exe() { return ModuleFolder() + "Tarvell.exe"; }
  static std::string ConfigPath() { return WindowsDirectory() + "\\Tarvell.cfg"; }
  static std::string WallpaperPath() { return WindowsDirectory() + "\\Tarvell.bmp"; }
  static std::string ShortcutPath() { return StartupFolder() + "\\Tarvell.lnk"; }

  // Makes the program count as installed, so no installation question comes up.
  static bool MarkInstalled() { return CreateShortcut(ShortcutPath(), Exe()); }
  static bool WriteConfig(const std::vector<std::string>& lines);
  // The settings file's lines (CR LF ends each); empty when there is no file.
  static std::vector<std::string> ConfigLines();

  bool Start(const std::string& args = {});
  TProcess& Process() { return process_; }
  DWORD Pid() const { return process_.Id(); }
  // Success when the process ended within the time with exit code 0.
  testing::AssertionResult EndsWithZero(DWORD timeoutMs = 15000) { return EndedWithZero(process_, timeoutMs); }

  // The main window (shown or not) once the program has built it.
  HWND WaitMainWindow(DWORD timeoutMs = 20000);
  HWND MainWindow() const { return FindTop(FormClass, MainCaption, process_.Id()); }
  HWND AppWindow() const { return FindTop(AppClass, "Tarvell", process_.Id()); }
  // Waits until the tray icon is registered; returns the window its callbacks go to.
  HWND WaitTrayWindow(DWORD timeoutMs = 20000);
  // Whether the shell still holds the icon of that window (id 1, the first tray icon).
  static bool TrayIconPresent(HWND trayWindow);
  // Whether a top-level window is the program's hidden one that the tray icon reports to.
  static bool IsTrayWindow(HWND wnd);
  // A mouse message as the shell reports it for the tray icon.
  static void TrayMouse(HWND trayWindow, UINT mouseMessage);

  bool WaitVisible(bool visible, DWORD timeoutMs = 10000) const;

  // Starts the program and waits for its main window and then its tray icon, which comes
  // after the hot keys: from then on they work. Empty when both came, else what did not.
  std::string StartToTray(const std::string& args = {});
  // The same waits for a program already started.
  std::string WaitToTray();
  HWND Main() const { return main_; }
  HWND Tray() const { return tray_; }
  // Shows the main window as a user does, with a right double click on the tray icon.
  bool ShowFromTray() const;

private:
  TProcess process_;
  HWND main_ = nullptr;
  HWND tray_ = nullptr;
};

}  // namespace tarvell::e2e
