#include "app/AboutActions.h"

#include "app/ProgramExit.h"
#include "app/ProgramState.h"
#include "desktop/Installer.h"

namespace tarvell {

TAboutActions ProgramAboutActions() {
  return {[] { return UninstallProgram(StandardInstallPaths(Program().Folders)) == UninstallResult::Uninstalled; },
          [] { ExitProgram(); }};
}

}  // namespace tarvell
