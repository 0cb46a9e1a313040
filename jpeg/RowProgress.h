// The progress rule of the decode routines, for decoders that count their own rows.
#pragma once

#include "jpeg/DecodeJpeg.h"

#include <algorithm>
#include <cstdint>

namespace tarvell {

// Runs the rule's OnStep as TProgressRule says, each time done of total rows crosses a step.
class TRowProgress {
public:
  explicit TRowProgress(const TProgressRule& rule) : FRule(rule), FStep(std::clamp(rule.ProgressStep, 1, 100)) {}

  void Rows(std::uint64_t done, std::uint64_t total) {
    if (total == 0) return;
    const auto percent = static_cast<int>(std::min<std::uint64_t>(done, total) * 100 / total);
    if (percent != FLast && percent % FStep == 0) {
      FLast = percent;
      if (FRule.OnStep) FRule.OnStep();
    }
  }

private:
  const TProgressRule& FRule;
  int FStep;
  int FLast = 0;
};

}  // namespace tarvell
