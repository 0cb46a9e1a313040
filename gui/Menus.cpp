#include "gui/Menus.h"

#include "gui/Form.h"
#include "base/WideText.h"

#include <algorithm>
#include <map>

namespace tarvell {

namespace {
std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}
UINT NextCommand() {
  static UINT next = 100;
  return next++;
}
}  // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), FMenu(::CreateMenu()) {}

TMainMenu::~TMainMenu() {
  for (TMenuItem* item : FItems) item->FMenu = nullptr;
  // A form still showing this menu must not keep a destroyed handle.
  if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->Menu() == this) form->SetMenu(nullptr);
}

void TMainMenu::Add(TMenuItem& item) {
  if (item.FMenu == this) return;
  if (item.FMenu) item.FMenu->Remove(item);
  item.FMenu = this;
  FItems.push_back(&item);
  Rebuild();
}

void TMainMenu::Remove(TMenuItem& item) noexcept {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), &item), FItems.end());
  item.FMenu = nullptr;
  Rebuild();
}

void TMainMenu::Rebuild() {
  HMENU menu = FMenu.get();
  while (::GetMenuItemCount(menu) > 0) ::RemoveMenu(menu, 0, MF_BYPOSITION);
  for (TMenuItem* item : FItems) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    mii.wID = item->FCommand;
    mii.fType = MFT_STRING;
    // The system draws the default item in bold, in the bar as in drop-downs.
    mii.fState = item->FDefault ? MFS_DEFAULT : 0;
    std::wstring text = Widen(item->FCaption);
    mii.dwTypeData = text.data();
    mii.cch = static_cast<UINT>(text.size());
    ::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &mii);
  }
  if (auto* form = dynamic_cast<TForm*>(Owner()); form && form->HasHandle() && form->Menu() == this) {
    ::DrawMenuBar(form->Handle());
  }
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NextCommand()) { Commands()[FCommand] = this; }

TMenuItem::~TMenuItem() {
  Commands().erase(FCommand);
  if (FMenu) FMenu->Remove(*this);
}

TMenuItem* TMenuItem::FromCommand(UINT command) noexcept {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

void TMenuItem::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FMenu) FMenu->Rebuild();
}

void TMenuItem::SetDefault(bool on) {
  FDefault = on;
  if (FMenu) FMenu->Rebuild();
}

void TMenuItem::Click() {
  if (OnClick) OnClick(*this);
}

}  // namespace tarvell
