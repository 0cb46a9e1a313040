// A call into the system that may run a box of its own (the shell asking before it deletes a
// file for good). Its box runs a message loop, so timer ticks and hot keys arrive meanwhile: to
// the program the call is one of its open boxes (ModalDepth counts it). Ending the program
// inside the call could leave its work half done, so an end asked for meanwhile waits for it.
#pragma once

#include <functional>

namespace tarvell {

class TSystemCallScope {
public:
  TSystemCallScope() noexcept;
  ~TSystemCallScope();
  TSystemCallScope(const TSystemCallScope&) = delete;
  TSystemCallScope& operator=(const TSystemCallScope&) = delete;
};

// Counts a running call among the program's open boxes; kept beside their counter, in Dialogs.cpp.
void CountSystemCallBox(int change) noexcept;

// While such a call runs: keeps action (the last one given) to run as the call returns, and
// answers true. Otherwise false, and the caller acts now. action must not throw.
bool HeldForSystemCall(std::function<void()> action);

}  // namespace tarvell
