// The one window-procedure trampoline: a C++ object per window, found from the HWND.
#pragma once

#include "gui/Handles.h"

#include <functional>
#include <string>
#include <utility>

namespace tarvell {

struct TWndCreateParams {
  std::string ClassName;  // a class registered with TWnd::RegisterWndClass, or a system class to subclass
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND Parent = nullptr;
  HMENU MenuOrId = nullptr;  // the menu of a top-level window, the identifier of a child
};

// Every window here is a Unicode window, so its text is exact whatever the process code page;
// the C++ side speaks UTF-8. Controls of system classes are subclassed, so the object sees
// their messages before their own procedure. No exception leaves the window procedure: it
// goes to the error box. A derived class whose HandleMessage uses its own members calls
// DestroyHandle() in its destructor.
class TWnd {
public:
  TWnd() = default;
  TWnd(const TWnd&) = delete;
  TWnd& operator=(const TWnd&) = delete;
  virtual ~TWnd();

  HWND Handle() const noexcept { return FHandle.get(); }
  bool HasHandle() const noexcept { return static_cast<bool>(FHandle); }
  // The text of any window, read through the wide call.
  static std::string TextOf(HWND wnd);
  RECT WindowRect() const noexcept;  // screen coordinates
  RECT ClientRect() const noexcept;
  // The window rectangle in the parent's client coordinates (screen for top-level windows).
  RECT BoundsInParent() const noexcept;

  // Registers a class whose window procedure is the trampoline, once.
  static void RegisterWndClass(const char* name, UINT style = CS_DBLCLKS, HICON icon = nullptr);
  // The object of a window created or subclassed by TWnd, or null.
  static TWnd* FromHandle(HWND wnd) noexcept;

  // Creates the window, in place of any held before; throws when that fails.
  void CreateHandle(const TWndCreateParams& params);
  // Destroys the window (its children too) after detaching this object from it.
  void DestroyHandle() noexcept;

  LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const noexcept {
    return ::SendMessageW(FHandle.get(), msg, wp, lp);
  }

protected:
  // Returns whether the message was handled; when not, DefaultHandler answers it.
  virtual bool HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
  // The control's own procedure for subclassed windows, DefWindowProcW otherwise.
  LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) noexcept;
  // Called by DestroyHandle just before the window is destroyed, while it still answers.
  virtual void DestroyingHandle() noexcept {}
  // Called once the window is gone when something else than DestroyHandle destroyed it.
  virtual void HandleDestroyed() {}

private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept;
  void Attach(HWND wnd) noexcept;
  void Detach() noexcept;

  TWindowHandle FHandle;
  bool FSubclassed = false;
};

// A window whose messages go to its owner's handler (the application's window, timers).
class TMessageWindow : public TWnd {
public:
  using THandler = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;
  explicit TMessageWindow(THandler handler) : FHandler(std::move(handler)) {}
  ~TMessageWindow() override { DestroyHandle(); }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override { return FHandler(msg, wp, lp, result); }

private:
  THandler FHandler;
};

}  // namespace tarvell
