#include "gui/SystemCall.h"

#include <utility>

namespace tarvell {

namespace {
int Running = 0;
std::function<void()> Held;
}  // namespace

TSystemCallScope::TSystemCallScope() noexcept {
  ++Running;
  CountSystemCallBox(1);
}

TSystemCallScope::~TSystemCallScope() {
  CountSystemCallBox(-1);
  if (--Running == 0 && Held) std::exchange(Held, nullptr)();
}

bool HeldForSystemCall(std::function<void()> action) {
  if (Running == 0) return false;
  Held = std::move(action);
  return true;
}

}  // namespace tarvell
