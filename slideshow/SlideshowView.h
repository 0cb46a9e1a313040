#pragma once
// What the slideshow needs of the screen: the window that shows the list, the preview and
// the questions, and that owns the desktop wallpaper. The slideshow holds the rules; a view
// only carries them out and reports what happened.

#include "slideshow/PreviewFit.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

// How loading a picture into the preview ended.
enum class TLoadResult : std::uint8_t {
  Shown,        // decoded and in the preview
  Unreadable,   // could not be opened or read (held by another program, no access, gone)
  Unsupported,  // a valid file of a kind that is not decoded here, or too large for memory
  Damaged,      // read whole, and its data was rejected as corrupt
};

// Which answer Enter gives to a question.
enum class TDefaultAnswer : std::uint8_t { Ok, Cancel };

// The settings that steer the slideshow, as the window's controls hold them now.
struct TSlideshowSettings {
  bool Random = false;
  bool Sound = false;
  bool Once = false;
  double Period = 0;  // in minutes, or in seconds in seconds mode; 0 switches nothing
  bool SecondsMode = false;
  bool PerMonitor = false;  // each monitor its own picture
};

class ISlideshowView {
public:
  virtual ~ISlideshowView() = default;

  virtual TSlideshowSettings Settings() const = 0;
  // Whether any question or message of the program is open; commands wait for its answer.
  virtual bool QuestionOpen() const = 0;
  // Whether a full-screen program or a presentation runs, which a change would disturb.
  // Asked only when an automatic change is due.
  virtual bool FullScreenBusy() = 0;

  virtual void ShowCaption(const std::string& caption) = 0;
  // The size, in pixels, of the screen that a picture loaded now is decoded for.
  virtual TSize DesktopSize() = 0;
  // Whether the desktop still shows the wallpaper the program wrote, rather than one the user
  // or another program has set since.
  virtual bool DesktopShowsOurWallpaper() = 0;
  // Loads the picture into the preview; on failure the preview keeps what it held.
  virtual TLoadResult ShowPicture(const std::string& path) = 0;
  // Makes the picture in the preview the desktop wallpaper; throws when it cannot be written.
  virtual void ApplyPreview() = 0;
  virtual void ClearWallpaper() = 0;
  // How many monitors the desktop has now; 1 when it cannot tell.
  virtual int MonitorCount() = 0;
  // Makes one wallpaper of a picture for each monitor, the primary's first; a monitor beyond
  // the list shows them again from the start. Throws like ApplyPreview.
  virtual void ApplyMonitorPictures(const std::vector<std::string>& paths) = 0;
  // A change of picture has ended (applied, failed or stopped): a hidden window lets go of
  // the decoded picture here.
  virtual void ChangeFinished() noexcept = 0;

  // An OK/Cancel question; true for OK.
  virtual bool Ask(const std::string& text, const std::string& caption, TDefaultAnswer byDefault) = 0;
  virtual void Beep(unsigned frequency, unsigned duration) = 0;
  // Sends the file to the Recycle Bin. Nothing when it went, else a message that names the
  // file and says why it stayed.
  virtual std::optional<std::string> DeletePictureFile(const std::string& path) = 0;
  // Shows an error the user should know of (the standard error box).
  virtual void ShowError(const std::string& message) = 0;
  // Opens the file in the program its type is associated with.
  virtual void OpenPictureFile(const std::string& path) = 0;

  // The list was replaced or extended: show the slideshow's Pictures() afresh.
  virtual void ListChanged() = 0;
  virtual void EntryRemoved(std::int32_t index) = 0;
  virtual void SelectionChanged(std::int32_t index) = 0;
};

}  // namespace tarvell
