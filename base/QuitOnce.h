// The way out is taken once. Saving the settings can show an error box, and a box runs a
// message loop: a second Quit, a window close or the session's end can arrive inside it.
// Saving again then would write a second time, and a box at logoff would hold the logoff up.
#pragma once

namespace tarvell {

enum class TQuitStep {
  Save,    // the first request: save the settings, then end
  Ignore,  // a repeat while the first one is on its way out: it will end the process itself
  EndNow,  // the session ends while the first one waits (in its error box): end without saving again
};

class TQuitOnce {
public:
  // sessionEnding: the request comes from the logoff or shutdown messages.
  TQuitStep Request(bool sessionEnding) noexcept {
    if (!FStarted) {
      FStarted = true;
      FQuiet = sessionEnding;
      return TQuitStep::Save;
    }
    if (sessionEnding) {
      FQuiet = true;
      return TQuitStep::EndNow;
    }
    return TQuitStep::Ignore;
  }

  // Whether a failed save may be reported in a box: never while the session ends.
  bool MayShowErrors() const noexcept { return !FQuiet; }

private:
  bool FStarted = false;
  bool FQuiet = false;
};

}  // namespace tarvell
