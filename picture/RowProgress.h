// The progress rule of the decode routines, and its counter for decoders that count their own rows.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>

namespace tarvell {

// Reports progress after each scan line: when the percentage done (truncated) differs from
// the last one reported and is a multiple of progressStep (clamped to 1..100), onStep runs.
// Neither 0 percent nor, unless progressStep divides 100, 100 percent is ever reported.
struct TProgressRule {
  int ProgressStep = 10;
  std::function<void()> OnStep;
};

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
