// The main menu of a form and its items; an item can be the bold default item.
#pragma once

#include "gui/Component.h"
#include "gui/Handles.h"

#include <string>
#include <vector>

namespace tarvell {

class TMenuItem;

class TMainMenu : public TComponent {
public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;

  HMENU Handle() const noexcept { return FMenu.get(); }
  const std::vector<TMenuItem*>& Items() const noexcept { return FItems; }
  void Add(TMenuItem& item);
  void Remove(TMenuItem& item) noexcept;
  // Rebuilds the menu bar from the items, after a change of caption or look.
  void Rebuild();

private:
  TMenuHandle FMenu;
  std::vector<TMenuItem*> FItems;
};

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const noexcept { return FCaption; }
  void SetCaption(const std::string& caption);
  // Drawn in bold, as the menu's default item.
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool on);
  UINT Command() const noexcept { return FCommand; }
  TMainMenu* Menu() const noexcept { return FMenu; }

  void Click();
  TNotifyEvent OnClick;

  static TMenuItem* FromCommand(UINT command) noexcept;

private:
  friend class TMainMenu;
  std::string FCaption;
  bool FDefault = false;
  UINT FCommand;
  TMainMenu* FMenu = nullptr;
};

}  // namespace tarvell
