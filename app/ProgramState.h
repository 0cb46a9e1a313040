// The program-wide state shared by the main window's routines, one set per process.
#pragma once

#include "desktop/ProgramFolders.h"
#include "resources/Version.h"
#include "slideshow/Countdown.h"
#include "slideshow/ShowCommand.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarvell {

inline constexpr const char VersionTitle[] = TARVELL_VERSION_TITLE;

struct TProgramState {
  // Where the settings, the wallpaper bitmap and the installed program live; decided once
  // by the main window's constructor before anything reads them.
  TProgramFolders Folders;
  std::string StartFolder;       // the picture folder to open at start-up
  TPeriodUnit Unit = TPeriodUnit::Minutes;  // what the period counts
  bool KeepSubfolders = false;   // while set, a folder change keeps Subfolders checked
  bool FormReady = false;        // set once the settings are loaded
  bool ShowHelpPending = false;  // a completed installation opens the help at the next tick
  // The settings file is there but could not be read: this run must not write over it.
  bool KeepConfigFile = false;
  // The controls hold the loaded settings; a save before (the session's end during the
  // installation question) would write the layout's defaults.
  bool SettingsLoaded = false;
  // The command this start's command line named, carried out once the window is made.
  std::optional<TShowCommand> StartCommand;
};

TProgramState& Program() noexcept;

}  // namespace tarvell
