// The main window's watch on whether anybody sees the desktop: session and power messages
// become events, waking lets the desktop settle first, and the full-screen query is read right.
#include "app/PresenceWatch.h"

#include "tests/support/MessagePump.h"
#include "gui/Form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvell {
namespace {

using test::PumpFor;
using test::PumpUntil;

struct TEventLog : IPresenceEvents {
  std::vector<std::string> Log;
  void SessionLocked(bool locked) override { Log.push_back(locked ? "locked" : "unlocked"); }
  void SessionDisconnected(bool gone) override { Log.push_back(gone ? "disconnected" : "connected"); }
  void Sleeping() override { Log.push_back("sleeping"); }
  void DesktopBack() override { Log.push_back("back"); }
};

// The system calls, as the watch made them.
struct TSystemSide {
  static inline std::vector<std::string> Calls;
  static inline BOOL RegisterAnswer = TRUE;
  static inline QUERY_USER_NOTIFICATION_STATE State = QUNS_ACCEPTS_NOTIFICATIONS;
  static inline HRESULT QueryAnswer = S_OK;

  static BOOL WINAPI Register(HWND, DWORD flags) {
    Calls.push_back("register " + std::to_string(flags));
    return RegisterAnswer;
  }
  static BOOL WINAPI Unregister(HWND) {
    Calls.push_back("unregister");
    return TRUE;
  }
  static HRESULT WINAPI Query(QUERY_USER_NOTIFICATION_STATE* state) {
    *state = State;
    return QueryAnswer;
  }

  // The session's own state, asked at the start; failed unless a test says otherwise.
  static inline std::string SessionCalls;
  static inline BOOL SessionAnswer = FALSE;
  static inline TSessionInfoEx Session{};
  static inline DWORD SessionBytes = sizeof(TSessionInfoEx);
  static inline bool Trusted = true;

  static BOOL WINAPI QuerySession(HANDLE, DWORD, WTS_INFO_CLASS what, LPWSTR* buffer, DWORD* bytes) {
    SessionCalls += what == SessionInfoExClass ? "query " : "wrong query ";
    if (!SessionAnswer) return FALSE;
    *buffer = reinterpret_cast<LPWSTR>(new TSessionInfoEx(Session));
    *bytes = SessionBytes;
    return TRUE;
  }
  static void WINAPI Free(PVOID memory) {
    SessionCalls += "free";
    delete static_cast<TSessionInfoEx*>(memory);
  }
  static bool TrustsLockFlag() noexcept { return Trusted; }
  static inline TForegroundFacts Front{true, false, true};
  static TForegroundFacts Foreground() noexcept { return Front; }
};

// A window that hands its messages to the watch first, as the main window does.
class TWatchedForm : public TForm {
public:
  TEventLog Events;
  TPresenceWatch Watch{Events,
                       {&TSystemSide::Register, &TSystemSide::Unregister, &TSystemSide::Query,
                        &TSystemSide::QuerySession, &TSystemSide::Free, &TSystemSide::TrustsLockFlag,
                        &TSystemSide::Foreground},
                       100};

  TWatchedForm() : TForm(nullptr) {
    TSystemSide::Calls.clear();
    HandleNeeded();
  }
  ~TWatchedForm() override {
    Watch.Detach();
    DestroyHandle();
  }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    if (Watch.HandleMessage(msg, wp, lp, result)) return true;
    return TForm::HandleMessage(msg, wp, lp, result);
  }
};

TEST(PresenceWatch, SessionAndPowerMessagesBecomeEvents) {
  struct TCase {
    UINT Msg;
    WPARAM Code;
    const char* Event;  // "" for none
  };
  const TCase cases[] = {
      {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, "locked"},
      {WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, "unlocked"},
      {WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT, "disconnected"},
      {WM_WTSSESSION_CHANGE, WTS_CONSOLE_DISCONNECT, "disconnected"},  // another user took the screen
      {WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, "connected"},
      {WM_WTSSESSION_CHANGE, WTS_CONSOLE_CONNECT, "connected"},
      {WM_WTSSESSION_CHANGE, WTS_SESSION_LOGON, ""},
      {WM_POWERBROADCAST, PBT_APMSUSPEND, "sleeping"},
      {WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, ""},
  };
  TWatchedForm form;
  ASSERT_TRUE(form.Watch.Attach(form.Handle()));
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Code);
    form.Events.Log.clear();
    const LRESULT result = ::SendMessageW(form.Handle(), c.Msg, c.Code, 0);
    EXPECT_EQ(form.Events.Log, *c.Event ? std::vector<std::string>{c.Event} : std::vector<std::string>{});
    // A power notice is answered as taken in.
    if (c.Msg == WM_POWERBROADCAST) {
      EXPECT_EQ(result, TRUE);
    }
  }
}

TEST(PresenceWatch, WakingHoldsUntilTheDesktopIsBackOnce) {
  TWatchedForm form;
  form.Watch.Attach(form.Handle());
  ::SendMessageW(form.Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_EQ(form.Events.Log, std::vector<std::string>{"sleeping"}) << "held even when the suspend went unnoticed";
  ASSERT_TRUE(PumpUntil([&] { return form.Events.Log.size() == 2; }));
  EXPECT_EQ(form.Events.Log.back(), "back");
  PumpFor(300);
  EXPECT_EQ(form.Events.Log.size(), 2u) << "the timer is one-shot";
}

TEST(PresenceWatch, RegistersForItsOwnSessionAndUnregistersOnce) {
  {
    TWatchedForm form;
    EXPECT_TRUE(form.Watch.Attach(form.Handle()));
    EXPECT_EQ(TSystemSide::Calls, std::vector<std::string>{"register 0"});  // this session only
  }
  EXPECT_EQ(TSystemSide::Calls, (std::vector<std::string>{"register 0", "unregister"}));
  // A refusal leaves nothing to undo.
  TSystemSide::RegisterAnswer = FALSE;
  {
    TWatchedForm form;
    EXPECT_FALSE(form.Watch.Attach(form.Handle()));
  }
  TSystemSide::RegisterAnswer = TRUE;
  EXPECT_EQ(TSystemSide::Calls, std::vector<std::string>{"register 0"});
}

// Regression: a start behind the lock screen changed the wallpaper until the next unlock, since
// only a lock notice said the session was locked.
TEST(PresenceWatch, AStartWhileLockedIsReportedAndDoubtMeansOpen) {
  struct TCase {
    const char* What;
    BOOL Registered, Answer;
    DWORD Level, Bytes;
    LONG Flags;
    bool Trusted;
    const char* Calls;
    bool Locked;
  };
  const DWORD full = sizeof(TSessionInfoEx);
  const TCase cases[] = {
      {"locked", TRUE, TRUE, 1, full, SessionStateLocked, true, "query free", true},
      {"unlocked", TRUE, TRUE, 1, full, 1, true, "query free", false},
      {"unknown", TRUE, TRUE, 1, full, -1, true, "query free", false},
      {"flag inverted on Windows 7", TRUE, TRUE, 1, full, SessionStateLocked, false, "", false},
      {"query failed", TRUE, FALSE, 1, full, SessionStateLocked, true, "query ", false},
      {"other level", TRUE, TRUE, 2, full, SessionStateLocked, true, "query free", false},
      {"short answer", TRUE, TRUE, 1, 8, SessionStateLocked, true, "query free", false},
      // No unlock notice would ever come.
      {"not registered", FALSE, TRUE, 1, full, SessionStateLocked, true, "", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TSystemSide::RegisterAnswer = c.Registered;
    TSystemSide::SessionAnswer = c.Answer;
    TSystemSide::Session.Level = c.Level;
    TSystemSide::Session.Level1.SessionFlags = c.Flags;
    TSystemSide::SessionBytes = c.Bytes;
    TSystemSide::Trusted = c.Trusted;
    TSystemSide::SessionCalls.clear();
    TWatchedForm form;
    EXPECT_EQ(form.Watch.Attach(form.Handle()), c.Registered != FALSE);
    EXPECT_EQ(TSystemSide::SessionCalls, c.Calls);
    EXPECT_EQ(form.Events.Log, c.Locked ? std::vector<std::string>{"locked"} : std::vector<std::string>{});
  }
  TSystemSide::RegisterAnswer = TRUE;
  TSystemSide::SessionAnswer = FALSE;
  TSystemSide::Trusted = true;
}

// Regression: "busy" alone held changes for good while an invisible topmost overlay was up.
TEST(PresenceWatch, FullScreenStatesThatHoldAChange) {
  struct TCase {
    QUERY_USER_NOTIFICATION_STATE State;
    HRESULT Answer;
    bool Busy;
    TForegroundFacts Front{true, false, true};  // visible, not the shell's, covering its monitor
  };
  const TCase cases[] = {
      {QUNS_BUSY, S_OK, true},
      {QUNS_BUSY, S_OK, false, {false, false, true}},
      {QUNS_BUSY, S_OK, false, {true, true, true}},  // the desktop itself in front, under an overlay
      {QUNS_BUSY, S_OK, false, {true, false, false}},
      {QUNS_RUNNING_D3D_FULL_SCREEN, S_OK, true},
      {QUNS_RUNNING_D3D_FULL_SCREEN, S_OK, true, {true, false, false}},  // the game's word is taken
      {QUNS_PRESENTATION_MODE, S_OK, true},
      {QUNS_ACCEPTS_NOTIFICATIONS, S_OK, false},
      {QUNS_NOT_PRESENT, S_OK, false},
      {QUNS_QUIET_TIME, S_OK, false},
      {QUNS_BUSY, E_FAIL, false},  // a failed query must not stop the slideshow for good
  };
  TWatchedForm form;
  for (const TCase& c : cases) {
    TSystemSide::State = c.State;
    TSystemSide::QueryAnswer = c.Answer;
    TSystemSide::Front = c.Front;
    EXPECT_EQ(form.Watch.FullScreenBusy(), c.Busy) << c.State << " " << c.Answer;
  }
  TSystemSide::QueryAnswer = S_OK;
}

}  // namespace
}  // namespace tarvell
