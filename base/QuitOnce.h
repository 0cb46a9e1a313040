// The way out is taken once. Saving the settings can show an error box, and a box runs a
// message loop: a second Quit, a window close or the session's end can arrive inside it.
// Saving again then would write a second time, and a box at logoff would hold the logoff up.
//
// The session's end comes in two messages. The query asks whether the session may end: the
// settings are saved then (the process may be ended without further notice once every
// program has agreed), and the program goes on. The end itself follows with the verdict:
// ending, or cancelled (another program refused), after which the program simply goes on.
#pragma once

namespace tarvell {

enum class TQuitStep {
  Save,    // save the settings, then end
  Ignore,  // a repeat while the first one is on its way out: it will end the process itself
  EndNow,  // end without saving (again): saved at the session's query, or the first one waits in its error box
};

class TQuitOnce {
public:
  // A request to end. sessionEnding: the session really ends now (its end message said so).
  TQuitStep Request(bool sessionEnding) noexcept {
    if (!FStarted) {
      FStarted = true;
      FQuiet = sessionEnding;
      return sessionEnding && FSavedForSession ? TQuitStep::EndNow : TQuitStep::Save;
    }
    if (sessionEnding) {
      FQuiet = true;
      return TQuitStep::EndNow;
    }
    return TQuitStep::Ignore;
  }

  // The session's query: true when the settings are to be saved now (quietly; the program goes
  // on). Not while a quit is already on its way out: that one saves and ends.
  bool QuerySession() noexcept {
    if (FStarted) return false;
    FSavedForSession = true;
    return true;
  }

  // The session did not end after all: the next end saves again.
  void SessionCancelled() noexcept { FSavedForSession = false; }

  // Whether a failed save may be reported in a box: never while the session ends.
  bool MayShowErrors() const noexcept { return !FQuiet; }

private:
  bool FStarted = false;
  bool FQuiet = false;
  bool FSavedForSession = false;
};

}  // namespace tarvell
