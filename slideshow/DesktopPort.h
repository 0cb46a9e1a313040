#pragma once
// What the slideshow needs of the desktop: its size and monitors, the decode of a picture for
// it, the wallpaper itself, the Recycle Bin, opening a file, and whether a full-screen program
// is in front. The slideshow decides when; the port only carries it out and reports.
//
// LoadPicture, ApplyLoadedPicture, ApplyPictures and ClearWallpaper run on a worker thread, one
// at a time; the others on the window's thread, and may be called while one of those runs.

#include "slideshow/PreviewFit.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

// How decoding a picture for the desktop ended.
enum class TLoadResult : std::uint8_t {
  Shown,        // decoded, and kept for the wallpaper
  Unreadable,   // could not be opened or read (held by another program, no access, gone)
  Unsupported,  // a valid file of a kind that is not decoded here, or too large for memory
  Damaged,      // read whole, and its data was rejected as corrupt
};

class IDesktopPort {
public:
  virtual ~IDesktopPort() = default;

  // The size, in pixels, of the screen that a picture loaded now is decoded for.
  virtual TSize DesktopSize() = 0;
  // How many monitors the desktop has now; 1 when it cannot tell.
  virtual int MonitorCount() = 0;
  // Whether the desktop still shows the wallpaper the program wrote, rather than one the user
  // or another program has set since.
  virtual bool ShowsOurWallpaper() = 0;
  // The monitors' places and the wallpaper style, as text that differs whenever a wallpaper
  // composed for each monitor would have to be composed anew.
  virtual std::string DisplayShape() = 0;
  // Whether a full-screen program or a presentation runs, which a change would disturb.
  virtual bool FullScreenBusy() = 0;

  // Decodes the picture as large as the desktop shows it and keeps it; on failure the picture
  // kept before stays.
  virtual TLoadResult LoadPicture(const std::string& path) = 0;
  // Makes the kept picture the wallpaper; throws when it cannot be written.
  virtual void ApplyLoadedPicture() = 0;
  // Makes one wallpaper of a picture for each monitor, the primary's first; a monitor beyond
  // the list shows them again from the start. Each picture is decoded once, for its monitor.
  // Returns how the primary's decode ended: unless Shown, nothing is written and it is
  // recovered from as a failed LoadPicture is. Throws like ApplyLoadedPicture.
  virtual TLoadResult ApplyPictures(const std::vector<std::string>& paths) = 0;
  virtual void ClearWallpaper() = 0;
  // The worker's piece of picture work has ended: what a load kept only for an apply that is
  // not coming is let go, so nothing stays in memory between changes.
  virtual void WorkEnded() noexcept {}

  // Sends the file to the Recycle Bin. Nothing when it went, else a message that names the
  // file and says why it stayed.
  virtual std::optional<std::string> SendToRecycleBin(const std::string& path) = 0;
  // Whether the file is there, for a change of the history to be made again.
  virtual bool PictureExists(const std::string& path) = 0;
  // Opens the file in the program its type is associated with.
  virtual void OpenFile(const std::string& path) = 0;
};

}  // namespace tarvell
