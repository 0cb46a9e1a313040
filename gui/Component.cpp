#include "gui/Component.h"

#include <algorithm>

namespace tarvell {

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
  if (AOwner) AOwner->FComponents.push_back(this);
}

TComponent::~TComponent() {
  // Each owned component unlinks itself from FComponents in its own destructor.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner) std::erase(FOwner->FComponents, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
  if (name.empty()) return nullptr;
  auto it = std::find_if(FComponents.begin(), FComponents.end(), [name](TComponent* c) { return c->FName == name; });
  return it == FComponents.end() ? nullptr : *it;
}

}  // namespace tarvell
