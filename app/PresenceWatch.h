// Whether anybody sees the desktop, as the system tells the main window: the session's lock and
// remote connection, sleep and waking, and a full-screen program in front. The watch only
// passes these on; what they mean for the slideshow's changes is the slideshow's rule.
#pragma once

#include <windows.h>

#include <shellapi.h>
#include <wtsapi32.h>

namespace tarvell {

class IPresenceEvents {
public:
  virtual ~IPresenceEvents() = default;
  virtual void SessionLocked(bool locked) = 0;
  // The session lost its connection to a screen (remote, or another user took the console),
  // or got one again.
  virtual void SessionDisconnected(bool disconnected) = 0;
  // The machine goes to sleep, or has just woken and its desktop is not back yet.
  virtual void Sleeping() = 0;
  // The desktop is back, some seconds after waking.
  virtual void DesktopBack() = 0;
};

// WTSINFOEXW at level 1 as the system lays it out; older SDK headers lack it.
struct TSessionInfoEx {
  DWORD Level;
  struct {
    ULONG SessionId;
    WTS_CONNECTSTATE_CLASS SessionState;
    LONG SessionFlags;
    WCHAR WinStationName[33];
    WCHAR UserName[21];
    WCHAR DomainName[18];
    LARGE_INTEGER LogonTime, ConnectTime, DisconnectTime, LastInputTime, CurrentTime;
    DWORD IncomingBytes, OutgoingBytes, IncomingFrames, OutgoingFrames, IncomingCompressedBytes,
        OutgoingCompressedBytes;
  } Level1;
};
inline constexpr WTS_INFO_CLASS SessionInfoExClass = static_cast<WTS_INFO_CLASS>(25);  // WTSSessionInfoEx
inline constexpr LONG SessionStateLocked = 0;                                          // WTS_SESSIONSTATE_LOCK

// Windows 7 gives the lock flag the other way round; only later versions are believed.
bool LockFlagTrusted() noexcept;

// The window in front, as far as a full-screen program is concerned.
struct TForegroundFacts {
  bool Visible = false;
  bool Shell = false;          // the shell's desktop or taskbar (Progman, WorkerW, Shell_TrayWnd)
  bool CoversMonitor = false;  // its rectangle holds the whole of the monitor it is on
};
TForegroundFacts ForegroundWindowFacts() noexcept;

// The system calls behind the watch; tests put their own in.
struct TPresenceCalls {
  BOOL(WINAPI* RegisterSession)(HWND, DWORD) = ::WTSRegisterSessionNotification;
  BOOL(WINAPI* UnregisterSession)(HWND) = ::WTSUnRegisterSessionNotification;
  HRESULT(WINAPI* QueryNotificationState)(QUERY_USER_NOTIFICATION_STATE*) = ::SHQueryUserNotificationState;
  BOOL(WINAPI* QuerySession)(HANDLE, DWORD, WTS_INFO_CLASS, LPWSTR*, DWORD*) = ::WTSQuerySessionInformationW;
  void(WINAPI* FreeSessionInfo)(PVOID) = ::WTSFreeMemory;
  bool (*TrustsLockFlag)() noexcept = LockFlagTrusted;
  TForegroundFacts (*Foreground)() noexcept = ForegroundWindowFacts;
};

// On waking, the logon screen and the display come back first; a wallpaper written then may be
// lost or slow the return.
inline constexpr unsigned DesktopBackDelayMs = 5000;
// The watch's one-shot timer on the window it was attached to.
inline constexpr UINT_PTR DesktopBackTimerId = 0x5457;

class TPresenceWatch {
public:
  explicit TPresenceWatch(IPresenceEvents& events, TPresenceCalls calls = {},
                          unsigned desktopBackDelayMs = DesktopBackDelayMs) noexcept
      : FEvents(events), FCalls(calls), FDelay(desktopBackDelayMs) {}
  TPresenceWatch(const TPresenceWatch&) = delete;
  TPresenceWatch& operator=(const TPresenceWatch&) = delete;
  ~TPresenceWatch() { Detach(); }

  // Asks for the session's notices to `window` (a top-level window, which also gets the power
  // notices); the window passes its messages to HandleMessage. A session locked already (a start
  // behind the lock screen) is reported at once, since no notice tells of it. False when the
  // system refused: the slideshow then goes on as if the session were always open.
  bool Attach(HWND window);
  // Stops the notices and the timer; before the window goes.
  void Detach() noexcept;
  // Passes on what a message says. True when the watch answered it in `result` (the power
  // notices and its own timer); every other message goes on to the window's own handling.
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // Whether a full-screen program, a Direct3D one or a presentation is in front. A failed query
  // says no, so a broken shell cannot stop the slideshow for good. The shell also says "busy"
  // while an invisible topmost full-screen overlay exists, which may be for good: that answer
  // holds only while the window in front is a visible one, not the shell's, covering its monitor.
  bool FullScreenBusy() const;

private:
  bool SessionLockedNow() const noexcept;

  IPresenceEvents& FEvents;
  TPresenceCalls FCalls;
  unsigned FDelay;
  HWND FWindow = nullptr;
  bool FRegistered = false;
  bool FTimerSet = false;
};

}  // namespace tarvell
