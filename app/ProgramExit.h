// The one way the process ends: at once, with exit code 0, after the tray icon is taken away
// (Windows leaves a dead icon behind for a process that exits without removing it).
#pragma once

#include <functional>

namespace tarvell {

// What must happen right before the process ends; the main window registers its tray icon's
// removal here. Never throws.
void SetBeforeExit(std::function<void()> action);

[[noreturn]] void ExitProgram() noexcept;

}  // namespace tarvell
