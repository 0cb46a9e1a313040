// The main menu of a form and its items; an item can be the bold default item.
#pragma once

#include "gui/Component.h"
#include "gui/Handles.h"

#include <string>

namespace tarvell {

class TMenuItem;

class TMainMenu : public TComponent {
public:
  using TComponent::TComponent;
  ~TMainMenu() override;

  HMENU Handle() const noexcept { return FMenu.get(); }
  // Appends the item as it is: its caption and look are set before.
  void Add(const TMenuItem& item);

private:
  TMenuHandle FMenu{::CreateMenu()};
};

class TMenuItem : public TComponent {
public:
  using TComponent::TComponent;

  void SetCaption(const std::string& caption) { FCaption = caption; }
  // Drawn in bold, as the menu's default item.
  void SetDefault(bool on) noexcept { FDefault = on; }
  UINT Command() const noexcept { return FCommand; }

  void Click() {
    if (OnClick) OnClick(*this);
  }
  TNotifyEvent OnClick;

private:
  friend class TMainMenu;
  std::string FCaption;
  bool FDefault = false;
  static inline UINT FNextCommand = 100;
  UINT FCommand = FNextCommand++;
};

}  // namespace tarvell
