// Owners of the window system's handles and scoped uses of them; the kernel's are in
// base/OwnedHandle.h.
#pragma once

#include "base/OwnedHandle.h"

#include <windows.h>
#include <unknwn.h>

#include <utility>

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

// Owning pointer to a COM interface: Release on reset, AddRef only when asked.
template <class T>
class TComPtr {
public:
  TComPtr() noexcept = default;
  explicit TComPtr(T* p) noexcept : FPtr(p) {}  // takes over one reference
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  TComPtr(TComPtr&& other) noexcept : FPtr(other.release()) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~TComPtr() { reset(); }

  T* get() const noexcept { return FPtr; }
  T* operator->() const noexcept { return FPtr; }
  explicit operator bool() const noexcept { return FPtr != nullptr; }
  T* release() noexcept { return std::exchange(FPtr, nullptr); }
  void reset(T* p = nullptr) noexcept {
    T* old = std::exchange(FPtr, p);
    if (old) old->Release();
  }
  // For out-parameters: releases the current pointer and exposes the slot.
  T** put() noexcept {
    reset();
    return &FPtr;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

  // QueryInterface into another smart pointer; returns the HRESULT.
  template <class U>
  HRESULT As(TComPtr<U>& out) const noexcept {
    if (!FPtr) return E_POINTER;
    return FPtr->QueryInterface(__uuidof(U), out.put_void());
  }

private:
  T* FPtr = nullptr;
};

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
