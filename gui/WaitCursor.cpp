#include "gui/WaitCursor.h"

namespace tarvell {

TScreen Screen;

HCURSOR TScreen::CursorHandle(TCursor cursor) noexcept {
  const auto id = cursor == crHourGlass ? IDC_WAIT : cursor == crAppStart ? IDC_APPSTARTING : IDC_ARROW;
  return ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(id));
}

void TScreen::SetCursor(TCursor cursor) noexcept {
  if (cursor == FCursor) return;
  FCursor = cursor;
  if (cursor != crDefault) {
    ::SetCursor(CursorHandle(cursor));
    return;
  }
  // Back to each window's own cursor: let the window under the mouse choose it again.
  POINT pt{};
  if (::GetCursorPos(&pt)) {
    HWND under = ::WindowFromPoint(pt);
    DWORD pid = 0;
    if (under && ::GetWindowThreadProcessId(under, &pid) == ::GetCurrentThreadId()) {
      LRESULT hit = ::SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
      ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
      return;
    }
  }
  ::SetCursor(CursorHandle(crArrow));
}

}  // namespace tarvell
