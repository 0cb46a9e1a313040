// What installation and uninstall do beside their files and registry values: show the main
// window and beep. Questions and notices go through gui/Dialogs.h (whose message box hook
// tests replace). Every member may be left empty: ShowMainWindow then does nothing and
// Beep sounds the system's own beep.
#pragma once

#include <functional>

namespace tarvell {

struct TInstallHooks {
  std::function<void()> ShowMainWindow;
  std::function<void(unsigned long frequency, unsigned long duration)> Beep;
};

}  // namespace tarvell
