// A memory device context that tests draw into; the program itself keeps none.
#pragma once

#include "gui/Handles.h"

namespace tarvell {

using TMemoryDC = TOwnedHandle<handle_traits::Nullable<HDC, &::DeleteDC>>;  // from CreateCompatibleDC

}  // namespace tarvell
