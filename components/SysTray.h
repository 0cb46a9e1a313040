// One icon with a tool tip in the taskbar notification area, its mouse activity as events.
// The icon asks the shell for the callbacks of NOTIFYICON_VERSION_4 (the event in the low word
// of lParam, the icon's anchor in wParam, keyboard selection and context menu notices) and reads
// the first version's layout too, for a shell that keeps to it.
#pragma once

#include "gui/Component.h"
#include "gui/Handles.h"
#include "gui/IconResource.h"  // the layout names the icons by resource
#include "gui/Wnd.h"

#include <shellapi.h>

#include <string>
#include <string_view>

namespace tarvell {

// The message the notification area sends to the icon's hidden window.
inline constexpr UINT TrayCallbackMessage = WM_USER + 1000;  // 2024
// The longest tool tip: characters taken, and UTF-16 units the record holds without its
// terminating zero.
inline constexpr std::size_t TrayTipMaxLength = 127;

// Live tray-icon components of the program; each takes the count after its own as identifier.
int TrayIconCount() noexcept;

// The shell call behind every add, modify and delete. Replaceable so that tests can watch
// the calls; returns the one it replaces.
using TNotifyIconProc = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);
TNotifyIconProc SetNotifyIconProc(TNotifyIconProc proc) noexcept;

// How long the icon waits before its add is tried again after the attempt-th failure in a row
// (from 0): doubling from half a second up to half a minute. At logon the taskbar may not be
// ready for the first few seconds, and an icon that gave up would never be seen.
unsigned TrayAddRetryDelayMs(unsigned attempt) noexcept;

class TSystemTrayIcon : public TComponent {
public:
  explicit TSystemTrayIcon(TComponent* AOwner);
  ~TSystemTrayIcon() override;

  // Adds (until an add has succeeded), modifies (after that) or, for a null icon, deletes the
  // icon in the notification area. A failed add is tried again later, until one succeeds.
  void ShowTrayIcon(HICON icon);
  // Takes the icon out of the notification area, if it is there. The shell keeps the icon of
  // a process that ends without doing this until the mouse passes over it, so every way of
  // ending the program calls it.
  void RemoveIcon();
  // Whether an icon is to be shown; Added: whether the notification area has taken it.
  bool Shown() const noexcept;
  bool Added() const noexcept { return FAdded; }

  // True shows Icon, false shows DisabledIcon; an empty picture means no icon at all.
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool value);
  // The component keeps its own copies of the pictures; null empties one.
  HICON Icon() const noexcept { return FIcon.get(); }
  void SetIcon(HICON icon);
  HICON DisabledIcon() const noexcept { return FDisabledIcon.get(); }
  void SetDisabledIcon(HICON icon);

  // The tool tip. A text of more than 127 characters is ignored and the old tip stays. One
  // whose UTF-16 form is longer than the record's 127 units ends before the first unit that
  // does not fit, never between the two halves of a pair.
  std::string Hint() const;
  void SetHint(const std::string& text);

  UINT Identifier() const noexcept { return FData.uID; }
  HWND WindowHandle() const noexcept { return FWindow.Handle(); }

  TMouseButtonProc OnMouseDown;
  TMouseButtonProc OnMouseUp;
  TMouseButtonProc OnDblClick;
  TMouseMoveProc OnMouseMove;
  // The icon's menu is asked for, at a point on the screen: from the keyboard (Enter, Space or
  // the menu key on the focused icon) or with Shift held at a right click, which then reports
  // neither its press nor its release: a plain right press means something else.
  TMouseMoveProc OnMenu;

  // Layout properties: Enabled, Hint, and Icon / DisabledIcon naming an icon resource.

protected:
  void Loaded() override;

private:
  class TTrayWindow : public TWnd {
  public:
    explicit TTrayWindow(TSystemTrayIcon& owner) noexcept : FOwner(owner) {}
    ~TTrayWindow() override { DestroyHandle(); }

  protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    TSystemTrayIcon& FOwner;
  };

  void MouseMessage(UINT mouseMsg, POINT anchor);
  void Menu(POINT anchor);
  void TaskbarCreated();
  bool Notify(DWORD message);
  void TryAdd();
  void RetryAdd();
  void RetryTimerElapsed();
  void StopRetrying() noexcept;

  TTrayWindow FWindow;
  NOTIFYICONDATAW FData;
  TIconHandle FIcon;
  TIconHandle FDisabledIcon;
  bool FEnabled;
  bool FAdded = false;       // the notification area holds the icon
  unsigned FFailedAdds = 0;  // failed adds in a row; a retry is waiting while above 0
  // A right button went down on the icon: the shell's context-menu notice that follows is the
  // mouse's, not the keyboard's.
  bool FRightPressed = false;
  bool FShiftRight = false;  // that press came with Shift: its release opens the menu
};

}  // namespace tarvell
