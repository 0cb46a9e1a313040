#include "tests/e2e/support/TarvellRun.h"

#include <shellapi.h>

namespace tarvell::e2e {

bool TTarvellRun::WriteConfig(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return WriteWholeFile(ConfigPath(), bytes);
}

std::vector<std::string> TTarvellRun::ConfigLines() {
  std::vector<std::string> lines;
  const std::string bytes = ReadWholeFile(ConfigPath()).value_or("");
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool TTarvellRun::Start(const std::string& args) {
  process_ = TProcess::Start(Exe(), args);
  return process_.Valid();
}

std::string TTarvellRun::StartToTray(const std::string& args) {
  if (!Start(args)) return "Tarvell.exe did not start";
  return WaitToTray();
}

std::string TTarvellRun::WaitToTray() {
  if (!(main_ = WaitMainWindow())) return "no main window";
  if (!(tray_ = WaitTrayWindow())) return "no tray icon";
  return {};
}

bool TTarvellRun::ShowFromTray() const {
  TrayMouse(tray_, WM_RBUTTONDOWN);
  TrayMouse(tray_, WM_RBUTTONDBLCLK);
  return WaitVisible(true);
}

testing::AssertionResult EndedWithZero(const TProcess& process, DWORD timeoutMs) {
  DWORD code = 1;
  if (process.WaitExit(timeoutMs, code)) {
    if (code == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "ended with exit code " << code;
  }
  testing::AssertionResult still = testing::AssertionFailure();
  still << "still running after " << timeoutMs << " ms; its windows:";
  for (HWND w : TopWindows(process.Id()))
    still << " [" << ClassName(w) << " \"" << WindowText(w) << "\"" << (IsWindowVisible(w) ? " shown" : "") << "]";
  return still;
}

HWND TTarvellRun::WaitMainWindow(DWORD timeoutMs) {
  return WaitForTop(FormClass, MainCaption, timeoutMs, process_.Id());
}

bool TTarvellRun::TrayIconPresent(HWND trayWindow) {
  // Modifying nothing of an icon succeeds exactly when the shell knows the icon.
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = trayWindow;
  data.uID = 1;
  data.uFlags = 0;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool TTarvellRun::IsTrayWindow(HWND w) {
  return !IsWindowVisible(w) && ClassName(w) != FormClass && ClassName(w) != AppClass && TrayIconPresent(w);
}

HWND TTarvellRun::WaitTrayWindow(DWORD timeoutMs) { return WaitForWindow(IsTrayWindow, timeoutMs, process_.Id()); }

void TTarvellRun::TrayMouse(HWND trayWindow, UINT mouseMessage) {
  PostMessageA(trayWindow, TrayCallback, 1, static_cast<LPARAM>(mouseMessage));
}

bool TTarvellRun::WaitVisible(bool visible, DWORD timeoutMs) const {
  return WaitUntil(
      [&] {
        HWND w = MainWindow();
        return w && (IsWindowVisible(w) != FALSE) == visible;
      },
      timeoutMs);
}

}  // namespace tarvell::e2e
