#pragma once
// Work that may take long (reading a folder tree, decoding a picture, writing the wallpaper)
// runs away from the window's thread, so the window, the tray icon and the hot keys keep
// answering meanwhile. Each lane runs one piece at a time: a newer piece replaces one that has
// not started yet, and the running one is told it has been superseded, so it can leave out
// what would only be undone (the last Next wins; nothing is done twice). What a piece returns
// runs afterwards on the window's thread, and only for the newest piece of its lane.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace tarvell {

enum class TLane : std::uint8_t { Picture, List };
inline constexpr std::size_t LaneCount = 2;

// Runs on the window's thread once the piece of work that returned it has ended.
using TFinish = std::function<void()>;
// A piece of work; `superseded` turns true once a newer piece of the same lane is asked for.
// It must not throw: whatever it has to report goes into its finish.
using TWork = std::function<TFinish(const std::atomic<bool>& superseded)>;

class ITaskRunner {
public:
  virtual ~ITaskRunner() = default;
  virtual void Run(TLane lane, TWork work) = 0;
  // The lane's running piece takes too long (a read from a share or a cloud placeholder that
  // stalls): the lane goes on without it, and its finish is dropped when it comes.
  virtual void Abandon(TLane lane) = 0;
};

}  // namespace tarvell
