#pragma once
// Real time for the period between changes: milliseconds from any fixed start. It goes on
// counting while the machine sleeps, so a change that fell due meanwhile is seen on waking.

#include <cstdint>

namespace tarvell {

class IClock {
public:
  virtual ~IClock() = default;
  virtual std::uint64_t Milliseconds() const = 0;
};

}  // namespace tarvell
