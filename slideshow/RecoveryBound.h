#pragma once
// Bounds the chain of retries after pictures that cannot be shown: each failure moves on
// to the next picture, which may fail too. After as many failures in a row as the list
// has entries the chain stops and the wallpaper stays as it is; with every picture
// damaged the program would otherwise beep (or ask) forever.
//
// Use: call Failed() when a picture could not be shown and go on to the next picture
// only when it returns true; call Succeeded() when one was shown. When the chain stops,
// the counter starts afresh, so the next command or period tries the list again.

#include <cstdint>

namespace tarvell {

class TRecoveryBound {
public:
  TRecoveryBound() : Failures(0) {}

  // Records a failure in a list of `listSize` entries (as it is now); true while
  // another picture may be tried.
  bool Failed(std::int32_t listSize);

  void Succeeded() { Failures = 0; }

  std::int32_t ConsecutiveFailures() const { return Failures; }

private:
  std::int32_t Failures;
};

}  // namespace tarvell
