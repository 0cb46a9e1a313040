// The program's icons at the sizes the screen asks for, in true pixels.
#pragma once

#include "gui/Handles.h"

#include <string>
#include <string_view>

namespace tarvell {

// The two sizes Windows draws a window's icons at: the small one (title bar, notification
// area; SM_CXSMICON) and the large one (Alt+Tab, taskbar; SM_CXICON).
enum class TIconMetric { Small, Large };

// The metric's size on this screen, in true pixels: an unaware thread is told the 96-dpi
// size, which the shell would stretch and blur on a scaled screen.
SIZE IconMetricSize(TIconMetric metric) noexcept;

// An icon resource of the program by name ("MAINICON", or "#1" for a number), loaded at the
// metric's size; an empty name gives no icon. Throws when it is missing.
TIconHandle LoadIconResource(std::string_view name, TIconMetric metric = TIconMetric::Small);

// The name of the program's own icon: its first icon group, the one the shell shows for the
// executable ("#1" for a number). Empty when it has none.
std::string ProgramIconName();

}  // namespace tarvell
