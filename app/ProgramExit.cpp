#include "app/ProgramExit.h"
#include "app/ProgramState.h"

#include <windows.h>

namespace tarvell {

namespace {
std::function<void()>& BeforeExit() {
  static std::function<void()> action;
  return action;
}
}  // namespace

void SetBeforeExit(std::function<void()> action) { BeforeExit() = std::move(action); }

void ExitProgram() noexcept {
  try {
    if (BeforeExit()) BeforeExit()();
  } catch (...) {
    // Ending wins over anything that goes wrong on the way out.
  }
  ::ExitProcess(0);
}

TProgramState& Program() noexcept {
  static TProgramState state;
  return state;
}

}  // namespace tarvell
