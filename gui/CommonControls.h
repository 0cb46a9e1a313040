// Registers the common control classes (tooltips, up-down) once per process.
#pragma once

namespace tarvell {
void EnsureCommonControls() noexcept;
}
