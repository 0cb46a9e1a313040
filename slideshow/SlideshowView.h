#pragma once
// What the slideshow shows: the caption, the preview, the list and its selection, the
// questions and the messages. The slideshow holds the rules; a view only shows what it is
// handed and reports the answers. The desktop's work goes through the port (DesktopPort.h).

#include "slideshow/PicturePaths.h"

#include <cstdint>
#include <string>

namespace tarvell {

// Which answer Enter gives to a question.
enum class TDefaultAnswer : std::uint8_t { Ok, Cancel };

class ISlideshowView {
public:
  virtual ~ISlideshowView() = default;

  // Whether any question or message of the program is open; commands wait for its answer.
  virtual bool QuestionOpen() const = 0;
  virtual void ShowCaption(const std::string& caption) = 0;
  // The port has just decoded the picture at path: the preview shows it.
  virtual void ShowPicture(const std::string& path) = 0;
  // The desktop shows the picture at path now (several monitors: the primary's); empty when
  // the wallpaper was cleared.
  virtual void DesktopChanged(const std::string& path) = 0;
  // A change of picture has ended (applied, failed or stopped): a hidden window lets go of
  // the decoded picture here.
  virtual void ChangeFinished() noexcept = 0;

  // An OK/Cancel question; true for OK.
  virtual bool Ask(const std::string& text, const std::string& caption, TDefaultAnswer byDefault) = 0;
  virtual void Beep(unsigned frequency, unsigned duration) = 0;
  // Shows an error the user should know of (the standard error box).
  virtual void ShowError(const std::string& message) = 0;

  // The list was replaced or extended: show `pictures` afresh. The reference stays valid and
  // follows every later change for as long as the slideshow lives.
  virtual void ListChanged(const TPicturePaths& pictures) = 0;
  virtual void EntryRemoved(std::int32_t index) = 0;
  virtual void SelectionChanged(std::int32_t index) = 0;
  // A folder tree is being listed (the hourglass shows), or the listing has ended.
  virtual void ListingBusy(bool busy) = 0;
};

}  // namespace tarvell
