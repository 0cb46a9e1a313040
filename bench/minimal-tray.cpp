// minimal-tray: the least a tray program is on Windows (one hidden window, one icon in the
// notification area, a message loop), the yardstick bench/footprint.sh sets Tarvell.exe's
// figures against under the same Wine. Started with the footprint switch, it also keeps the
// message-only window that answers the footprint probe (app/FootprintReport.h), left out of
// its counts as Tarvell's is.
#include "app/FootprintCounts.h"
#include "app/FootprintReport.h"
#include "gui/Handles.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr UINT TrayMessage = WM_APP + 1;
constexpr char TrayClass[] = "TMinimalTray";

std::wstring ReportFile;

LRESULT CALLBACK ProbeProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == tarvell::FootprintProbeAsk)
    return tarvell::WriteFootprintReport(ReportFile, tarvell::CountFootprint(wnd)) ? 1 : 0;
  return ::DefWindowProcA(wnd, msg, wp, lp);
}

bool Register(HINSTANCE instance, const char* name, WNDPROC proc) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = name;
  return ::RegisterClassA(&windowClass) != 0;
}

// The icon in the notification area, for as long as the object lives.
class TTrayIcon {
public:
  explicit TTrayIcon(HWND wnd) {
    FData.cbSize = sizeof FData;
    FData.hWnd = wnd;
    FData.uID = 1;
    FData.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    FData.uCallbackMessage = TrayMessage;
    // A stock icon: the system owns it.
    FData.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpynW(FData.szTip, L"minimal-tray", ARRAYSIZE(FData.szTip));
    FAdded = ::Shell_NotifyIconW(NIM_ADD, &FData) != FALSE;
  }
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;
  ~TTrayIcon() {
    if (FAdded) ::Shell_NotifyIconW(NIM_DELETE, &FData);
  }

private:
  NOTIFYICONDATAW FData{};
  bool FAdded = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The tray's window: top-level and never shown, as a tray program's is.
  if (!Register(instance, TrayClass, &::DefWindowProcA)) return 1;
  tarvell::TWindowHandle window(
      ::CreateWindowExA(0, TrayClass, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
  if (!window) return 1;
  TTrayIcon icon(window.get());
  tarvell::TWindowHandle probe;
  ReportFile = tarvell::FootprintProbeFile(::GetCommandLineW());
  if (!ReportFile.empty() && Register(instance, tarvell::FootprintProbeClass, &ProbeProc))
    probe.reset(::CreateWindowExA(0, tarvell::FootprintProbeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                  nullptr));
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
