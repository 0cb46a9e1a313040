#include "gui/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

namespace tarvell {

void EnsureCommonControls() noexcept {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    return ::InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

}  // namespace tarvell
