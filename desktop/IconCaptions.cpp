#include "desktop/IconCaptions.h"

#include <commctrl.h>

namespace tarvell {

namespace {

// Whether the icon view's colours are the program's own since they were last given back.
bool GColorsChanged = false;

// The icon list under a shell view host, found by class alone: the captions differ between
// versions ("FolderView" on Windows 7 and later, none before).
HWND IconListUnder(HWND host) noexcept {
  HWND view = ::FindWindowExW(host, nullptr, L"SHELLDLL_DefView", nullptr);
  return view ? ::FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
}

}  // namespace

HWND FindDesktopIconView() noexcept {
  if (HWND program = ::FindWindowW(L"Progman", nullptr))
    if (HWND list = IconListUnder(program)) return list;
  // With a slideshow background or after a wallpaper animation the shell moves its view into
  // one of the top-level "WorkerW" windows.
  for (HWND worker = ::FindWindowExW(nullptr, nullptr, L"WorkerW", nullptr); worker;
       worker = ::FindWindowExW(nullptr, worker, L"WorkerW", nullptr))
    if (HWND list = IconListUnder(worker)) return list;
  return nullptr;
}

void SetDesktopIconTextColors(std::uint32_t textColor, std::uint32_t textBkColor, bool transparent) noexcept {
  HWND list = FindDesktopIconView();
  if (!list) return;
  ::SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(transparent ? CLR_NONE : textBkColor));
  ::SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(textColor));
  const LRESULT count = ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
  ::SendMessageW(list, LVM_REDRAWITEMS, 0, count);
  ::UpdateWindow(list);
  GColorsChanged = true;
}

void RestoreDesktopIconTextColors() noexcept {
  const INT element = COLOR_BACKGROUND;
  const COLORREF colour = ::GetSysColor(COLOR_BACKGROUND);
  ::SetSysColors(1, &element, &colour);
  GColorsChanged = false;
}

bool DesktopIconTextColorsChanged() noexcept { return GColorsChanged; }

}  // namespace tarvell
