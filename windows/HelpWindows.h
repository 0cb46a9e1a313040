// Opening the About and help windows: each is made on its first opening and kept; a later
// opening restores it from the minimised state and brings it to the front.
#pragma once

namespace tarvell {

void ShowAboutWindow();
void ShowHelpWindow();

}  // namespace tarvell
