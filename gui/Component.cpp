#include "gui/Component.h"

#include "base/Exception.h"
#include "gui/Layout.h"

#include <algorithm>

namespace tarvell {

TComponent::TComponent(TComponent* AOwner) : FOwner(nullptr) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FState |= csDestroying;
  // Each owned component unlinks itself from FComponents in its own destructor.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* c) {
  FComponents.push_back(c);
  c->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* c) noexcept {
  auto it = std::find(FComponents.begin(), FComponents.end(), c);
  if (it != FComponents.end()) FComponents.erase(it);
  c->FOwner = nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents) {
    if (c->FName == name) return c;
  }
  return nullptr;
}

void TComponent::EndLoading() {
  FState &= ~static_cast<unsigned>(csLoading);
  Loaded();
}

bool TComponent::SetParentComponent(TComponent*) { return false; }

void ThrowLayoutError(const std::string& text) { throw Exception(text); }

}  // namespace tarvell
