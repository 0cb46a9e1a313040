#include "components/TrayMenu.h"

#include "base/Exception.h"
#include "base/WideText.h"
#include "gui/Handles.h"

namespace tarvell {

TTrayMenuCommand ShowTrayMenu(HWND owner, const std::vector<TTrayMenuItem>& items, POINT at) {
  const TMenuHandle menu(::CreatePopupMenu());
  if (!menu) throw Exception("Cannot make the tray menu");
  for (const TTrayMenuItem& item : items) {
    if (item.Text.empty()) {
      ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    // A tab sets the key apart at the menu's right edge.
    const std::wstring text = Widen(item.Key.empty() ? item.Text : item.Text + "\t" + item.Key);
    const UINT flags = MF_STRING | (item.Enabled ? MF_ENABLED : MF_GRAYED);
    ::AppendMenuW(menu.get(), flags, static_cast<UINT_PTR>(item.Command), text.c_str());
  }
  ::SetForegroundWindow(owner);
  const UINT align = ::GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const BOOL picked = ::TrackPopupMenuEx(menu.get(), align | TPM_BOTTOMALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD |
                                                          TPM_NONOTIFY,
                                         at.x, at.y, owner, nullptr);
  ::PostMessageW(owner, WM_NULL, 0, 0);
  return static_cast<TTrayMenuCommand>(picked);
}

}  // namespace tarvell
