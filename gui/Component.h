// The component base: owner, owned components, name, and the load-complete notification.
#pragma once

#include "gui/Events.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

class TComponent : public TObject {
public:
  // Owned components are deleted by their owner, last first.
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const noexcept { return FOwner; }
  const std::string& Name() const noexcept { return FName; }
  void SetName(std::string name) { FName = std::move(name); }

  std::size_t ComponentCount() const noexcept { return FComponents.size(); }
  TComponent* Components(std::size_t index) const { return FComponents.at(index); }
  TComponent* FindComponent(std::string_view name) const noexcept;

  // While a layout is read; EndLoading clears the flag, then calls Loaded().
  bool Loading() const noexcept { return FLoading; }
  void BeginLoading() noexcept { FLoading = true; }
  void EndLoading() {
    FLoading = false;
    Loaded();
  }

protected:
  // The load-complete notification, once per layout load.
  virtual void Loaded() {}

private:
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::string FName;
  bool FLoading = false;
};

}  // namespace tarvell
