#include "gui/Component.h"
#include "jpeg/Exception.h"

#include <algorithm>
#include <charconv>

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

bool TComponent::SetProperty(std::string_view name, std::string_view value) {
  if (name == "Tag") {
    FTag = ParseIntProperty(name, value);
    return true;
  }
  return false;
}

bool TComponent::SetParentComponent(TComponent*) { return false; }

bool TComponent::BindEvent(std::string_view, const TEventHandler&) { return false; }

bool ParseBoolProperty(std::string_view name, std::string_view value) {
  if (value == "true" || value == "True" || value == "1") return true;
  if (value == "false" || value == "False" || value == "0") return false;
  throw Exception("Invalid value '" + std::string(value) + "' for property " + std::string(name));
}

int ParseIntProperty(std::string_view name, std::string_view value) {
  int result = 0;
  const char* first = value.data();
  const char* last = value.data() + value.size();
  auto [ptr, ec] = std::from_chars(first, last, result);
  if (value.empty() || ec != std::errc() || ptr != last) {
    throw Exception("Invalid value '" + std::string(value) + "' for property " + std::string(name));
  }
  return result;
}

void ThrowBadEventSignature(std::string_view event) {
  throw Exception("Handler of the wrong kind bound to event " + std::string(event));
}

}  // namespace tarvell
