#include "app/AboutActions.h"

#include "app/ProgramExit.h"
#include "app/ProgramState.h"
#include "desktop/Installer.h"

#include <utility>

namespace tarvell {

TAboutActions ProgramAboutActions(std::function<void()> beforeExit) {
  return {[] { return UninstallProgram(StandardInstallPaths(Program().Folders)) == UninstallResult::Uninstalled; },
          [beforeExit = std::move(beforeExit)] {
            if (beforeExit) beforeExit();
            ExitProgram();
          }};
}

}  // namespace tarvell
