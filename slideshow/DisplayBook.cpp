#include "slideshow/DisplayBook.h"

#include <utility>

namespace tarvell {

void TDisplayBook::Shown(std::string path, TSize screen) {
  FShownPath = std::move(path);
  FShownFor = screen;
}

void TDisplayBook::Applied() {
  FDesktopPath = FShownPath;
  FDesktopFor = FShownFor;
}

void TDisplayBook::AssumeOnDesktop(const std::string& path) {
  if (!FDesktopPath) FDesktopPath = path;
}

bool TDisplayBook::WantsRedecode(TSize now) const noexcept {
  if (!FDesktopFor || !FDesktopPath) return false;
  return now.Width > FDesktopFor->Width || now.Height > FDesktopFor->Height;
}

void TDisplayBook::Redecoded(TSize now, bool shownBack) {
  FDesktopFor = now;
  if (!shownBack && FDesktopPath) FShownPath = *FDesktopPath;
  FShownFor = now;
}

}  // namespace tarvell
