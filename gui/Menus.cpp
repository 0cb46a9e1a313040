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

HFONT MenuFont(bool bold) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof ncm;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  if (bold) ncm.lfMenuFont.lfWeight = FW_BOLD;
  return ::CreateFontIndirectW(&ncm.lfMenuFont);
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
    mii.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
    mii.wID = item->FCommand;
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    mii.fType = item->FDefault ? MFT_OWNERDRAW : MFT_STRING;
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

void TMenuItem::MeasureItem(MEASUREITEMSTRUCT& mis, HWND owner) const {
  TWindowDC dc(owner);
  TGdiObject font(MenuFont(FDefault));
  TSelectObject select(dc.DC(), font.get());
  SIZE size{};
  std::wstring text = Widen(FCaption);
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  ::GetTextExtentPoint32W(dc.DC(), text.c_str(), static_cast<int>(text.size()), &size);
  // Menu bar items get the same margins the system gives its own text items.
  mis.itemWidth = static_cast<UINT>(size.cx) + 2 * static_cast<UINT>(::GetSystemMetrics(SM_CXEDGE));
  mis.itemHeight = static_cast<UINT>(size.cy);
}

void TMenuItem::DrawItem(const DRAWITEMSTRUCT& dis) const {
  bool selected = (dis.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  ::FillRect(dis.hDC, &dis.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  TGdiObject font(MenuFont(FDefault));
  TSelectObject select(dis.hDC, font.get());
  ::SetBkMode(dis.hDC, TRANSPARENT);
  ::SetTextColor(dis.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT r = dis.rcItem;
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (dis.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  const std::wstring caption = Widen(FCaption);
  ::DrawTextW(dis.hDC, caption.c_str(), static_cast<int>(caption.size()), &r, format);
}

}  // namespace tarvell
