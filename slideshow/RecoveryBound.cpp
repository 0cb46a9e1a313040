#include "slideshow/RecoveryBound.h"

namespace tarvell {

bool TRecoveryBound::Failed(std::int32_t listSize) {
  ++Failures;
  if (Failures < listSize) return true;
  Failures = 0;
  return false;
}

}  // namespace tarvell
