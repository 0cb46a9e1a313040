// Stand-ins for the steering commands, so that the window's side builds and runs before the
// model carries them out: Previous and ExcludeCurrent change nothing, and the pause is only
// remembered (the timer still switches).
#include "slideshow/Slideshow.h"

namespace tarvell {

namespace {
bool GPaused = false;  // one slideshow per process
}  // namespace

void TSlideshow::Previous() {}
void TSlideshow::SetPaused(bool paused) { GPaused = paused; }
bool TSlideshow::Paused() const noexcept { return GPaused; }
void TSlideshow::ExcludeCurrent() {}

}  // namespace tarvell
