// What the shared desktop shows: pixels on the screen, the taskbar's buttons and the icons in
// the notification area, as Wine's shell window ("Shell_TrayWnd") holds them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tarvell::e2e {

// The colour on the screen at a screen point, read from a screen DC: what a person sees,
// whichever window painted it.
COLORREF ScreenPixel(int x, int y);
// The same for a point in a window's client area.
COLORREF ScreenPixelOfClient(HWND wnd, int x, int y);
// Whether two colours differ by at most tolerance in each channel.
bool ColorNear(COLORREF a, COLORREF b, int tolerance);

// The shell's taskbar window, null when there is none.
HWND TaskbarWindow();
// The windows of a process (pid 0: of any process) that have a shown button on the taskbar.
std::vector<HWND> TaskbarButtonWindows(DWORD pid = 0);
// The captions of the windows, each in quotes, for failure messages.
std::string Captions(const std::vector<HWND>& windows);
// Has the taskbar brought its buttons up to date: shows a window of this process with a
// button of its own and waits until the taskbar lists it. False if it never did.
bool SyncTaskbar();

// Where the icons of the notification area are on the screen, from the right end of the
// taskbar leftwards.
std::vector<RECT> TrayIconPlaces();

}  // namespace tarvell::e2e
