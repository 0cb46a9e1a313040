#include "desktop/IconCaptions.h"

#include <commctrl.h>

namespace tarvell {

HWND FindDesktopIconView() noexcept {
  HWND program = ::FindWindowW(L"Progman", L"Program Manager");
  if (!program) return nullptr;
  HWND view = ::FindWindowExW(program, nullptr, L"SHELLDLL_DefView", L"");
  if (!view) return nullptr;
  return ::FindWindowExW(view, nullptr, L"SysListView32", L"");
}

void SetDesktopIconTextColors(std::uint32_t textColor, std::uint32_t textBkColor, bool transparent) noexcept {
  HWND list = FindDesktopIconView();
  if (!list) return;
  ::SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(transparent ? CLR_NONE : textBkColor));
  ::SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(textColor));
  const LRESULT count = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  ::SendMessageW(list, LVM_REDRAWITEMS, 0, count);
  ::UpdateWindow(list);
}

void RestoreDesktopIconTextColors() noexcept {
  const INT element = COLOR_BACKGROUND;
  const COLORREF colour = ::GetSysColor(COLOR_BACKGROUND);
  ::SetSysColors(1, &element, &colour);
}

}  // namespace tarvell
