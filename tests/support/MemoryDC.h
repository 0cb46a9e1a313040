// A memory device context that tests draw into; the program itself keeps none.
#pragma once

#include "gui/Handles.h"

namespace tarvell {

namespace handle_traits {
struct DeviceContext {  // a DC from CreateCompatibleDC
  using handle_type = HDC;
  static HDC Empty() noexcept { return nullptr; }
  static bool Valid(HDC h) noexcept { return h != nullptr; }
  static void Close(HDC h) noexcept { ::DeleteDC(h); }
};
}  // namespace handle_traits

using TMemoryDC = TOwnedHandle<handle_traits::DeviceContext>;

}  // namespace tarvell
