#include "tests/e2e/support/Desktop.h"

#include "tests/e2e/support/Driver.h"

#include <algorithm>
#include <cstdlib>

namespace tarvell::e2e {

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF color = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return color;
}

COLORREF ScreenPixelOfClient(HWND wnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(wnd, &p);
  return ScreenPixel(p.x, p.y);
}

bool ColorNear(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

HWND TaskbarWindow() { return FindWindowA("Shell_TrayWnd", nullptr); }

namespace {

std::vector<HWND> TaskbarChildren() {
  std::vector<HWND> children;
  HWND bar = TaskbarWindow();
  if (!bar) return children;
  for (HWND c = GetWindow(bar, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

}  // namespace

std::vector<HWND> TaskbarButtonWindows(DWORD pid) {
  std::vector<HWND> windows;
  for (HWND c : TaskbarChildren()) {
    if (ClassName(c) != "Button" || !IsWindowVisible(c)) continue;
    // A task button carries the window it stands for as its control id; the start
    // button carries none.
    HWND task = reinterpret_cast<HWND>(GetWindowLongPtrA(c, GWLP_ID));
    if (!task || !IsWindow(task)) continue;
    if (pid == 0 || WindowProcess(task) == pid) windows.push_back(task);
  }
  return windows;
}

std::string Captions(const std::vector<HWND>& windows) {
  std::string text;
  for (HWND w : windows) text += "\"" + WindowText(w) + "\" ";
  return text;
}

bool SyncTaskbar() {
  HWND probe = CreateWindowExA(0, "STATIC", "taskbar probe", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!probe) return false;
  const bool listed = WaitUntil(
      [&] {
        const std::vector<HWND> mine = TaskbarButtonWindows(GetCurrentProcessId());
        return std::find(mine.begin(), mine.end(), probe) != mine.end();
      },
      10000);
  DestroyWindow(probe);
  return listed;
}

namespace {

// Whether something is drawn in the rectangle: more than a few pixels differ from its corner.
bool SomethingDrawnIn(const RECT& r) {
  HDC screen = GetDC(nullptr);
  const COLORREF corner = GetPixel(screen, r.left, r.top);
  int differing = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (GetPixel(screen, x, y) != corner) ++differing;
  ReleaseDC(nullptr, screen);
  return differing > 10;
}

}  // namespace

std::vector<RECT> TrayIconPlaces() {
  std::vector<RECT> places;
  HWND bar = TaskbarWindow();
  if (!bar) return places;
  // Newer shells give each icon a window of its own inside the taskbar.
  for (HWND c : TaskbarChildren()) {
    if (ClassName(c) == "Button" || !IsWindowVisible(c)) continue;
    RECT r{};
    GetWindowRect(c, &r);
    places.push_back(r);
  }
  std::sort(places.begin(), places.end(), [](const RECT& a, const RECT& b) { return a.left > b.left; });
  if (!places.empty()) return places;
  // Wine 8 draws them into the taskbar itself, right to left from its right end, each in a
  // cell of a small icon with a 2-pixel border around it.
  RECT barRect{};
  GetWindowRect(bar, &barRect);
  const int cx = GetSystemMetrics(SM_CXSMICON) + 4;
  const int cy = GetSystemMetrics(SM_CYSMICON) + 4;
  const int top = barRect.top + (barRect.bottom - barRect.top - cy) / 2;
  for (int right = barRect.right; right - cx >= barRect.left; right -= cx) {
    const RECT cell{right - cx, top, right, top + cy};
    if (!SomethingDrawnIn(cell)) break;
    places.push_back(cell);
  }
  return places;
}

}  // namespace tarvell::e2e
