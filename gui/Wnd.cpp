#include "gui/Wnd.h"

#include "base/Exception.h"
#include "gui/Dialogs.h"
#include "base/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace tarvell {

namespace {
HINSTANCE ModuleInstance() noexcept { return ::GetModuleHandleW(nullptr); }

// The object behind a window is kept in a property of this name, never in GWLP_USERDATA:
// that slot belongs to whoever made the window, so on a subclassed control or any window
// not made here it may hold anything, and reading it as an object would be unsafe.
constexpr const wchar_t* ObjectProperty = L"Tarvell.TWnd";
}  // namespace

TWnd::~TWnd() { DestroyHandle(); }

void TWnd::RegisterWndClass(const char* name, UINT style, HICON icon) {
  const std::wstring wideName = Widen(name);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = &TWnd::WndProc;
  wc.hInstance = ModuleInstance();
  wc.hIcon = icon;
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = wideName.c_str();
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw Exception("Cannot register window class " + std::string(name));
}

TWnd* TWnd::FromHandle(HWND wnd) noexcept {
  return wnd ? static_cast<TWnd*>(::GetPropW(wnd, ObjectProperty)) : nullptr;
}

void TWnd::CreateHandle(const TWndCreateParams& p) {
  DestroyHandle();
  const std::wstring className = Widen(p.ClassName);
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  bool ours = ::GetClassInfoExW(ModuleInstance(), className.c_str(), &info) && info.lpfnWndProc == &TWnd::WndProc;
  HWND wnd = ::CreateWindowExW(p.ExStyle, className.c_str(), Widen(p.Caption).c_str(), p.Style, p.X, p.Y, p.Width,
                               p.Height, p.Parent, p.MenuOrId, ModuleInstance(), ours ? this : nullptr);
  if (!wnd) throw Exception("Cannot create window of class " + p.ClassName);
  if (ours) return;
  // A control of a system class: our procedure goes in front of its own.
  Attach(wnd);
  FSubclassed = ::SetWindowSubclass(wnd, &TWnd::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  if (!FSubclassed) {
    DestroyHandle();
    throw Exception("Cannot subclass window of class " + p.ClassName);
  }
}

void TWnd::Attach(HWND wnd) noexcept {
  FHandle.release();  // never destroys: the caller has dealt with any previous window
  FHandle.reset(wnd);
  ::SetPropW(wnd, ObjectProperty, this);
}

void TWnd::Detach() noexcept {
  HWND wnd = FHandle.release();
  if (!wnd) return;
  ::RemovePropW(wnd, ObjectProperty);
  // Comes off in any order, whatever else has hooked the window since.
  if (std::exchange(FSubclassed, false)) ::RemoveWindowSubclass(wnd, &TWnd::SubclassProc, 0);
}

void TWnd::DestroyHandle() noexcept {
  HWND wnd = FHandle.get();
  if (!wnd) return;
  DestroyingHandle();
  Detach();
  ::DestroyWindow(wnd);
}

LRESULT TWnd::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (FSubclassed) return ::DefSubclassProc(FHandle.get(), msg, wp, lp);
  return ::DefWindowProcW(FHandle.get(), msg, wp, lp);
}

LRESULT TWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  HWND wnd = FHandle.get();
  const bool subclassed = FSubclassed;
  LRESULT result = 0;
  bool handled = false;
  try {
    handled = HandleMessage(msg, wp, lp, result);
  } catch (...) {
    ShowCurrentError();
    handled = true;
  }
  if (msg != WM_NCDESTROY) return handled ? result : DefaultHandler(msg, wp, lp);
  // The window is gone once the default handling has run; forget it either way.
  if (!handled) result = subclassed ? ::DefSubclassProc(wnd, msg, wp, lp) : ::DefWindowProcW(wnd, msg, wp, lp);
  if (FHandle.get() == wnd) Detach();
  try {
    HandleDestroyed();
  } catch (...) {
    ShowCurrentError();
  }
  return result;
}

LRESULT CALLBACK TWnd::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    if (auto* made = static_cast<TWnd*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams)) made->Attach(wnd);
  }
  TWnd* self = FromHandle(wnd);
  if (!self || self->FHandle.get() != wnd) return ::DefWindowProcW(wnd, msg, wp, lp);
  return self->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK TWnd::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  // The hook comes off whenever the object lets go of its window, so data is alive here.
  auto* self = reinterpret_cast<TWnd*>(data);
  if (self->FHandle.get() != wnd) return ::DefSubclassProc(wnd, msg, wp, lp);
  return self->Dispatch(msg, wp, lp);
}

std::string TWnd::TextOf(HWND wnd) {
  std::wstring buf(static_cast<std::size_t>(std::max(::GetWindowTextLengthW(wnd), 0)) + 1, L'\0');
  buf.resize(static_cast<std::size_t>(std::max(::GetWindowTextW(wnd, buf.data(), static_cast<int>(buf.size())), 0)));
  return Narrow(buf);
}

RECT TWnd::WindowRect() const noexcept {
  RECT r{};
  ::GetWindowRect(Handle(), &r);
  return r;
}

RECT TWnd::ClientRect() const noexcept {
  RECT r{};
  ::GetClientRect(Handle(), &r);
  return r;
}

RECT TWnd::BoundsInParent() const noexcept {
  RECT r = WindowRect();
  HWND parent = ::GetAncestor(Handle(), GA_PARENT);
  if (parent && parent != ::GetDesktopWindow() && (::GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_CHILD))
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace tarvell
