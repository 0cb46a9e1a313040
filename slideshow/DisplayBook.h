#pragma once
// Which picture the preview and the desktop hold, the screen sizes they were decoded for, and
// whether a display change waits for its check. A picture is decoded only as large as the
// screen shows it, so docking to a larger monitor would leave the desktop's picture blurred
// until the next change: the book says when decoding it again makes it sharper.

#include "slideshow/PreviewFit.h"

#include <optional>
#include <string>

namespace tarvell {

class TDisplayBook {
public:
  // The preview holds the picture at path, decoded for a screen of `screen`.
  void Shown(std::string path, TSize screen);
  // The picture the preview holds went on the desktop.
  void Applied();
  // Until the first change, the picture on the desktop is the one the settings named.
  void AssumeOnDesktop(const std::string& path);
  // The wallpaper was cleared: nothing of ours on the desktop to sharpen. The picture stays
  // named, so that "Once" keeps it for the next start.
  void Cleared() noexcept { FDesktopFor.reset(); }

  const std::string& ShownPath() const noexcept { return FShownPath; }
  const std::optional<std::string>& DesktopPath() const noexcept { return FDesktopPath; }

  // The screen or the desktop's wallpaper settings changed; the check waits for its chance.
  void DisplayChanged() noexcept { FCheckDue = true; }
  bool CheckDue() const noexcept { return FCheckDue; }
  void CheckTaken() noexcept { FCheckDue = false; }
  // Whether the desktop's picture was decoded by us for a screen smaller than `now` in either
  // direction. A smaller screen shows the larger decode as sharp as ever: no work for nothing.
  bool WantsRedecode(TSize now) const noexcept;
  // The desktop's picture was decoded for `now` and applied again. The preview holds its own
  // picture decoded for `now` too, or, when that could not be loaded (shownBack false), the
  // desktop's.
  void Redecoded(TSize now, bool shownBack);

private:
  std::string FShownPath;
  std::optional<TSize> FShownFor;
  std::optional<std::string> FDesktopPath;
  std::optional<TSize> FDesktopFor;  // nothing while the desktop holds no decode of ours
  bool FCheckDue = false;
};

}  // namespace tarvell
