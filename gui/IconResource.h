// The program's icons at the sizes the screen asks for, in true pixels.
#pragma once

#include "gui/Handles.h"

#include <string>
#include <string_view>

namespace tarvell {

// The small icon (title bar, notification area) and the large one (Alt+Tab, taskbar).
enum class TIconMetric { Small, Large };

// The metric's size on this screen in true pixels: an unaware thread is told the 96-dpi
// size, which the shell would stretch and blur on a scaled screen.
SIZE IconMetricSize(TIconMetric metric) noexcept;

// An icon resource of the program ("#1" for a number) at the metric's size; none for an empty
// name. Throws when it is missing.
TIconHandle LoadIconResource(std::string_view name, TIconMetric metric = TIconMetric::Small);

// The program's first icon group, the one the shell shows; empty when it has none.
std::string ProgramIconName();

}  // namespace tarvell
