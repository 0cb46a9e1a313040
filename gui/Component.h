// The component base: owner, owned components, name, and the load-complete notification.
#pragma once

#include "gui/Events.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

enum TComponentStateBits : unsigned {
  csLoading = 1u << 0,     // properties are being read from a form layout
  csDestroying = 1u << 1,  // the destructor has started
};

class TComponent : public TObject {
public:
  // Owned components are deleted by their owner, last-added first.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const noexcept { return FOwner; }
  const std::string& Name() const noexcept { return FName; }
  void SetName(std::string name) { FName = std::move(name); }

  std::size_t ComponentCount() const noexcept { return FComponents.size(); }
  TComponent* Components(std::size_t index) const { return FComponents.at(index); }
  TComponent* FindComponent(std::string_view name) const noexcept;

  unsigned ComponentState() const noexcept { return FState; }
  bool Loading() const noexcept { return (FState & csLoading) != 0; }

  // The form loader's protocol: BeginLoading before the layout's properties are applied,
  // EndLoading once the whole layout has been read: it clears the flag, then calls Loaded().
  void BeginLoading() noexcept { FState |= csLoading; }
  void EndLoading();

  // Attaches a non-visual component to another one named as its parent in a layout
  // (menu items to their menu); false when this kind takes no parent.
  virtual bool SetParentComponent(TComponent* parent);

protected:
  // The load-complete notification. Runs once per layout load, after the loading flag is cleared.
  virtual void Loaded() {}

private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c) noexcept;

  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
  std::string FName;
  unsigned FState = 0;
};

}  // namespace tarvell
