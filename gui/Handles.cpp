#include "gui/Handles.h"

#include "base/WideText.h"

namespace tarvell {

std::string TWindowView::Text() const {
  int len = ::GetWindowTextLengthW(FWnd);
  if (len <= 0) return {};
  std::wstring buf(static_cast<std::size_t>(len) + 1, L'\0');
  int got = ::GetWindowTextW(FWnd, buf.data(), len + 1);
  buf.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return Narrow(buf);
}

void TWindowView::SetText(const std::string& text) const { ::SetWindowTextW(FWnd, Widen(text).c_str()); }

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
  wchar_t buf[256] = {};  // a class name's longest, its terminating zero included
  int got = ::GetClassNameW(FWnd, buf, 256);
  return Narrow(std::wstring_view(buf, got > 0 ? static_cast<std::size_t>(got) : 0));
}

}  // namespace tarvell
