#include "gui/Menus.h"

#include "gui/Form.h"
#include "base/WideText.h"

namespace tarvell {

TMainMenu::~TMainMenu() {
  // A form still showing this menu must not keep a destroyed handle.
  if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->Menu() == this) form->SetMenu(nullptr);
}

void TMainMenu::Add(const TMenuItem& item) {
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
  mii.wID = item.FCommand;
  mii.fType = MFT_STRING;
  // The system draws the default item in bold, in the bar as in drop-downs.
  mii.fState = item.FDefault ? MFS_DEFAULT : 0;
  std::wstring text = Widen(item.FCaption);
  mii.dwTypeData = text.data();
  mii.cch = static_cast<UINT>(text.size());
  ::InsertMenuItemW(FMenu.get(), static_cast<UINT>(::GetMenuItemCount(FMenu.get())), TRUE, &mii);
}

}  // namespace tarvell
