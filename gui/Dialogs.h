// The application's modal message boxes: questions, notices and the standard error box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tarvell {

// OK and Cancel, no icon; true only when the answer is OK. With cancelByDefault, Enter
// answers Cancel.
bool AskOkCancel(const std::string& text, const std::string& caption, bool cancelByDefault = false);
// OK alone, no icon.
void ShowNotice(const std::string& text, const std::string& caption);
// Error icon, the application's title as caption, the message followed by a full stop.
// False when no box could be shown at all (no window system).
bool ShowErrorBox(const std::string& message);
// Inside a catch: shows the error being handled in the error box. Never throws.
void ShowCurrentError() noexcept;

// How many of the program's message boxes are open right now (each runs its own message
// loop, so timers and hot keys still arrive while it is open).
int ModalDepth() noexcept;

// A call into the system that may run a box of its own (the shell asking before it deletes a
// file for good) counts as an open box while it runs. Ending the program inside it could
// leave its work half done: HeldForSystemCall keeps `action` (the last one given, which must
// not throw) to run as the call returns and answers true; with no such call, false.
class TSystemCallScope {
public:
  TSystemCallScope() noexcept;
  ~TSystemCallScope();
  TSystemCallScope(const TSystemCallScope&) = delete;
  TSystemCallScope& operator=(const TSystemCallScope&) = delete;
};
bool HeldForSystemCall(std::function<void()> action);

// Where a box goes: it belongs to the active window, else to the application's own. With
// none of the program's windows in front (a question from the timer, a hot key, the tray)
// Windows' foreground lock would open it unseen behind the window the user works in: it then
// asks for the foreground and stays on top. It also stays on top of the program's
// stay-on-top windows (About, help), which would otherwise cover it.
struct TBoxPlacement {
  HWND Owner;
  unsigned Type;
};
struct TBoxSituation {
  HWND Active = nullptr;        // this thread's active window
  bool ProgramInFront = true;   // the foreground window is one of this program's
  bool StayOnTopShown = false;  // one of this program's visible windows stays on top
  HWND AppWindow = nullptr;     // the application's own window
};
TBoxPlacement PlaceMessageBox(unsigned type, const TBoxSituation& situation) noexcept;
// Whether the foreground window belongs to this process.
bool ProgramInFront() noexcept;
// Whether a visible window of this thread stays on top of others.
bool StayOnTopShown() noexcept;

// Replaces the real message box, for tests; an empty function restores it.
using TMessageBoxHook = std::function<int(const std::string& text, const std::string& caption, unsigned type)>;
void SetMessageBoxHook(TMessageBoxHook hook);

}  // namespace tarvell
