// tarvell-drive: the demo script's hands inside Wine. One command per call:
//   wait TITLE-PREFIX TIMEOUT-MS      waits for a visible top-level window, prints "x y w h"
//   answer CAPTION ok|cancel TIMEOUT  answers a message box, prints its text
//   ctrl KEY                          sends Ctrl+KEY (one letter)
//   key VK                            sends one virtual key (decimal)
//   close TITLE-PREFIX TIMEOUT-MS     closes a visible top-level window
//   wallpaper                         prints the desktop wallpaper setting
//   layout TITLE-PREFIX TIMEOUT-MS    prints the window's clipped or overlapping controls
//   click TITLE-PREFIX X Y            clicks at a point of a visible window's client area
//   running TIMEOUT-MS                waits for Tarvell's (hidden) single-instance window
//   traymenu TIMEOUT-MS               opens the tray icon's menu as the keyboard does, waits for it
// Exit code 0 on success, 1 when the window or box did not come in time (or its layout has
// faults), 2 for bad usage.
#include "tests/e2e/support/Desktop.h"
#include "tests/e2e/support/Driver.h"
#include "tests/e2e/support/TarvellRun.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tarvell::e2e;

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string cmd = argv[1];
  if (cmd == "wait" && argc == 4) {
    HWND w = WaitForTop({}, argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)), 0, true);
    if (!w) return 1;
    RECT r{};
    GetWindowRect(w, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (cmd == "answer" && argc == 5) {
    HWND box = WaitForMessageBox(argv[2], static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
    if (!box) return 1;
    std::printf("%s\n", MessageBoxText(box).c_str());
    return AnswerMessageBox(box, std::string(argv[3]) == "ok" ? IDOK : IDCANCEL) ? 0 : 1;
  }
  if (cmd == "ctrl" && argc == 3) {
    SendCtrlKey(static_cast<WORD>(std::toupper(static_cast<unsigned char>(argv[2][0]))));
    return 0;
  }
  if (cmd == "key" && argc == 3) {
    SendKey(static_cast<WORD>(std::strtoul(argv[2], nullptr, 10)));
    return 0;
  }
  if (cmd == "close" && argc == 4) {
    HWND w = WaitForTop({}, argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)), 0, true);
    if (!w) return 1;
    PostMessageA(w, WM_CLOSE, 0, 0);
    return WaitUntil([w] { return !IsWindowVisible(w); }, 5000) ? 0 : 1;
  }
  if (cmd == "layout" && argc == 4) {
    HWND w = WaitForTop({}, argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)), 0, true);
    if (!w) return 1;
    const std::vector<std::string> faults = LayoutFaults(w);
    for (const std::string& fault : faults) std::printf("%s\n", fault.c_str());
    return faults.empty() ? 0 : 1;
  }
  if (cmd == "click" && argc == 5) {
    HWND w = WaitForTop({}, argv[2], 5000, 0, true);
    if (!w) return 1;
    POINT p{std::atoi(argv[3]), std::atoi(argv[4])};
    ClientToScreen(w, &p);
    ClickAt(p.x, p.y);
    return 0;
  }
  if (cmd == "running" && argc == 3) {
    return WaitForTop("TInstanceManager", {}, static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10))) ? 0 : 1;
  }
  if (cmd == "traymenu" && argc == 3) {
    const DWORD timeout = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    const HWND tray = WaitForWindow(TTarvellRun::IsTrayWindow, timeout);
    const std::vector<RECT> icons = TrayIconPlaces();
    if (!tray || icons.empty()) return 1;
    // The menu key on the focused icon, in the shell's fourth-version layout: anchored at the icon.
    const RECT& r = icons[0];
    PostMessageA(tray, TrayCallback, MAKEWPARAM((r.left + r.right) / 2, r.top), MAKELPARAM(WM_CONTEXTMENU, 1));
    return WaitForTop("#32768", {}, timeout, 0, true) ? 0 : 1;
  }
  if (cmd == "wallpaper") {
    std::printf("%s\n", CurrentWallpaper().c_str());
    return 0;
  }
  return 2;
}
