// Replacing a file's contents in one step: the new bytes go to a temporary file beside it,
// which then takes the old file's place. A reader never sees a half-written file, and a
// failed write (a full disk, say) leaves the old one as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tarvell {

enum class TReplaceResult {
  Replaced,
  NotCreated,  // the temporary file could not be created
  NotWritten,  // writing or flushing it failed
  NotMoved,    // it could not take the old file's place
};

// On any failure the temporary file is removed and the old file stays untouched.
TReplaceResult ReplaceFileContents(const std::string& path, const void* data, std::size_t size);

// The indexer, an antivirus or the desktop itself may hold the old file for a moment; the
// move into its place is tried again while it fails for sharing or access, every
// MoveRetryPauseMs, until MoveRetryForMs have passed since the first try.
inline constexpr std::uint32_t MoveRetryForMs = 1000;
inline constexpr std::uint32_t MoveRetryPauseMs = 50;

// Whether a failed move is worth trying again: another program's handle, not a lasting fault.
bool MoveMayClearUp(unsigned long error) noexcept;

// The time the retry goes by; the system's clock and sleep by default.
struct TRetryClock {
  std::function<std::uint64_t()> NowMs;
  std::function<void(std::uint32_t)> PauseMs;
};
TRetryClock SystemRetryClock();

// Runs move (which gives 0 or the system's error code) until it succeeds, fails for good, or
// the time is up; gives its last result.
unsigned long MoveRetrying(const std::function<unsigned long()>& move, const TRetryClock& clock);

}  // namespace tarvell
