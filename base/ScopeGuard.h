// Runs a cleanup when the scope ends, whether by return or by an exception, so a cleanup
// needed on both paths is written once. The cleanup must not throw: it may run while an
// exception is on its way out.
#pragma once

#include <type_traits>
#include <utility>

namespace tarvell {

template <class F>
class TScopeGuard {
public:
  explicit TScopeGuard(F cleanup) noexcept(std::is_nothrow_move_constructible_v<F>) : FCleanup(std::move(cleanup)) {}
  ~TScopeGuard() {
    if (FActive) FCleanup();
  }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  // The cleanup is no longer needed (the work it undoes has been kept).
  void Dismiss() noexcept { FActive = false; }

private:
  F FCleanup;
  bool FActive = true;
};

}  // namespace tarvell
