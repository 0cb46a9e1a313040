#include "desktop/IconCaptions.h"

#include <commctrl.h>

namespace tarvell {

HWND FindDesktopIconView() noexcept {
  HWND program = ::FindWindowA("Progman", "Program Manager");
  if (!program) return nullptr;
  HWND view = ::FindWindowExA(program, nullptr, "SHELLDLL_DefView", "");
  if (!view) return nullptr;
  return ::FindWindowExA(view, nullptr, "SysListView32", "");
}

void SetDesktopIconTextColors(std::uint32_t textColor, std::uint32_t textBkColor, bool transparent) noexcept {
  HWND list = FindDesktopIconView();
  if (!list) return;
  ::SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(transparent ? CLR_NONE : textBkColor));
  ::SendMessageA(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(textColor));
  const LRESULT count = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
  ::SendMessageA(list, LVM_REDRAWITEMS, 0, count);
  ::UpdateWindow(list);
}

void RestoreDesktopIconTextColors() noexcept {
  const INT element = COLOR_BACKGROUND;
  const COLORREF colour = ::GetSysColor(COLOR_BACKGROUND);
  ::SetSysColors(1, &element, &colour);
}

}  // namespace tarvell
