// The main window's settings: read once at start-up, written on the way out and as soon as the
// kept wallpaper style changes.
#include "app/ConfigFile.h"
#include "app/ConfigStore.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "base/WindowsCodePage.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/Edit.h"
#include "base/Exception.h"

#include <string>

namespace tarvell {

void TForm1::LoadCFG() {
  TProgramState& state = Program();
  std::optional<std::string> bytes;
  try {
    bytes = ReadConfigFile(state.Folders.ConfigReadPath);
  } catch (const Exception& e) {
    // An unreadable file must not keep the program from starting: say so, take the defaults,
    // and leave the file alone, since the real settings may still be in it.
    state.KeepConfigFile = true;
    ShowErrorBox(e.what());
  }
  TSettings settings;
  std::string damaged;  // the first damaged line's notice, shown once the values are in place
  if (bytes) {
    TConfigReadResult read = ReadConfig(*bytes, SystemLegacyCodePage());
    settings = read.Settings;
    if (!read.Errors.empty()) damaged = read.Errors.front();
  }
  Edit1->SetText(settings.PeriodText);
  state.StartFolder = settings.StartFolder;
  FFolders.Start(settings.StartFolder, false);  // kept by a save before the folder lists open it
  // Each box set here has the effects of a click on it (a beep for Sound, the captions'
  // colours for Transparent, Once's enabled state for Startup).
  Subfolders->SetChecked(settings.Subfolders);
  Random->SetChecked(settings.Random);
  FSlideshow.SetCurrentIndex(settings.CurrentIndex);
  Sound->SetChecked(settings.Sound);
  Transparent->SetChecked(settings.Transparent);
  Startup->SetChecked(settings.Startup);
  Once->SetChecked(settings.Once);
  if (bytes) Once->SetEnabled(Startup->Checked());
  PerMonitor->SetChecked(settings.PerMonitor);
  // Span or Tile set by an earlier run is ours, not the user's: the parts keep the user's
  // style, and a single picture puts it back.
  FDesktop.Styles().Restore(settings.MonitorStyle);
  // The keeper changes on the worker thread that composes the wallpaper; the controls are read on
  // the window's own, which the worker waits for: line 13 is in the file before Span is written.
  FDesktop.Styles().SetOnChange([this] {
    const HWND target = FWakeTarget.load();
    DWORD_PTR done = 0;
    if (target) ::SendMessageTimeoutW(target, SaveSettingsMessage, 0, 0, SMTO_NORMAL, 5000, &done);
  });
  state.Unit = settings.Unit;
  FHotKeys.SetFlags(settings.HotKeyFlags);  // claimed once the window's keys are made
  FSlideshow.SetPaused(settings.Paused);
  Pause->SetCaption(settings.Paused ? "Resume" : "Pause");
  LoadShowFiles();
  PassSettings();
  // Only now may a save (the session's end during the box below) write the controls.
  state.SettingsLoaded = true;
  if (!damaged.empty()) ShowErrorBox(damaged);
}

void TForm1::SaveCFGQuietly() noexcept {
  try {
    SaveCFG();
  } catch (const std::exception&) {
    // The old settings file is still there; the save on the way out reports.
  }
}

void TForm1::PutBackUserStyle(bool saveLine) noexcept {
  try {
    if (!saveLine) FDesktop.Styles().SetOnChange(nullptr);
    FDesktop.Styles().PutBack();
  } catch (const std::exception&) {
    // Ending wins; the style kept in line 13 is put back by the next run.
  }
}

void TForm1::SaveCFG() {
  // The controls hold the layout's defaults until the settings are loaded into them.
  if (!Program().SettingsLoaded || Program().KeepConfigFile) return;
  TSettings settings;
  settings.PeriodText = Edit1->Text();
  settings.StartFolder = ChosenFolder();
  settings.Subfolders = Subfolders->Checked();
  settings.Random = Random->Checked();
  settings.CurrentIndex = FSlideshow.CurrentIndex();
  settings.Sound = Sound->Checked();
  settings.Transparent = Transparent->Checked();
  settings.Startup = Startup->Checked();
  settings.Once = Once->Checked();
  settings.Unit = Program().Unit;
  settings.HotKeyFlags = HotKeyFlags();
  settings.PerMonitor = PerMonitor->Checked();
  settings.MonitorStyle = FDesktop.Styles().Kept();
  settings.Paused = FSlideshow.Paused();
  ReplaceConfigFile(Program().Folders.ConfigPath, WriteConfig(settings, SystemLegacyCodePage()));
}

}  // namespace tarvell
