// Owners of the window system's handles and scoped uses of them; the kernel's are in
// base/OwnedHandle.h.
#pragma once

#include "base/OwnedHandle.h"

#include <windows.h>
#include <objbase.h>

#include <memory>

namespace tarvell {

namespace handle_traits {
// A handle that is null when empty and given back by CloseCall.
template <class H, auto CloseCall>
struct Nullable {
  using handle_type = H;
  static H Empty() noexcept { return nullptr; }
  static bool Valid(H h) noexcept { return h != nullptr; }
  static void Close(H h) noexcept { CloseCall(h); }
};
}  // namespace handle_traits

using TWindowHandle = TOwnedHandle<handle_traits::Nullable<HWND, &::DestroyWindow>>;
using TIconHandle = TOwnedHandle<handle_traits::Nullable<HICON, &::DestroyIcon>>;
using TGdiObject = TOwnedHandle<handle_traits::Nullable<HGDIOBJ, &::DeleteObject>>;
using TMenuHandle = TOwnedHandle<handle_traits::Nullable<HMENU, &::DestroyMenu>>;
using TRegKey = TOwnedHandle<handle_traits::Nullable<HKEY, &::RegCloseKey>>;
using THookHandle = TOwnedHandle<handle_traits::Nullable<HHOOK, &::UnhookWindowsHookEx>>;

// Owning pointer to a COM interface: holds one reference, released on reset.
struct TComRelease {
  void operator()(IUnknown* p) const noexcept { p->Release(); }
};
template <class T>
using TComPtr = std::unique_ptr<T, TComRelease>;

// A new in-process instance of `clsid` as interface T (`iid`), or none.
template <class T>
TComPtr<T> ComCreate(REFCLSID clsid, REFIID iid) noexcept {
  void* p = nullptr;
  const HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, &p);
  return TComPtr<T>(SUCCEEDED(hr) ? static_cast<T*>(p) : nullptr);
}

// Another interface of `object`, or none.
template <class U, class T>
TComPtr<U> ComAs(T& object) noexcept {
  U* p = nullptr;
  return TComPtr<U>(SUCCEEDED(object.QueryInterface(IID_PPV_ARGS(&p))) ? p : nullptr);
}

// Selects a GDI object into a DC for one scope and selects the previous one back.
class TSelectObject {
public:
  TSelectObject(HDC dc, HGDIOBJ obj) noexcept : FDC(dc), FOld(obj ? ::SelectObject(dc, obj) : nullptr) {}
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;
  ~TSelectObject() {
    if (FOld) ::SelectObject(FDC, FOld);
  }

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// BeginPaint/EndPaint for one WM_PAINT.
class TPaintScope {
public:
  explicit TPaintScope(HWND wnd) noexcept : FWnd(wnd), FPs{} { FDC = ::BeginPaint(wnd, &FPs); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  ~TPaintScope() { ::EndPaint(FWnd, &FPs); }
  HDC DC() const noexcept { return FDC; }

private:
  HWND FWnd;
  PAINTSTRUCT FPs;
  HDC FDC;
};

// GetDC/ReleaseDC for one scope.
class TWindowDC {
public:
  explicit TWindowDC(HWND wnd) noexcept : FWnd(wnd), FDC(::GetDC(wnd)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC() {
    if (FDC) ::ReleaseDC(FWnd, FDC);
  }
  HDC DC() const noexcept { return FDC; }

private:
  HWND FWnd;
  HDC FDC;
};

}  // namespace tarvell
