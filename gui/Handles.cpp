#include "gui/Handles.h"

#include <vector>

namespace tarvell {

std::string TWindowView::Text() const {
  int len = ::GetWindowTextLengthA(FWnd);
  if (len <= 0) return {};
  std::vector<char> buf(static_cast<std::size_t>(len) + 1);
  int got = ::GetWindowTextA(FWnd, buf.data(), len + 1);
  return std::string(buf.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

RECT TWindowView::WindowRect() const noexcept {
  RECT r{};
  ::GetWindowRect(FWnd, &r);
  return r;
}

RECT TWindowView::ClientRect() const noexcept {
  RECT r{};
  ::GetClientRect(FWnd, &r);
  return r;
}

RECT TWindowView::BoundsInParent() const noexcept {
  RECT r = WindowRect();
  HWND parent = ::GetAncestor(FWnd, GA_PARENT);
  if (parent && parent != ::GetDesktopWindow() && (Style() & WS_CHILD)) {
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

std::string TWindowView::ClassName() const {
  char buf[256] = {};
  int got = ::GetClassNameA(FWnd, buf, sizeof buf);
  return std::string(buf, got > 0 ? static_cast<std::size_t>(got) : 0);
}

}  // namespace tarvell
