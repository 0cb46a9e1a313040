// The main window's settings: read once at start-up, written once on the way out.
#include "app/ConfigFile.h"
#include "app/ConfigStore.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "base/WindowsCodePage.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/Edit.h"
#include "base/Exception.h"

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
  if (bytes) {
    TConfigReadResult read = ReadConfig(*bytes, SystemLegacyCodePage());
    settings = read.Settings;
    if (!read.Errors.empty()) ShowErrorBox(read.Errors.front());
  }
  Edit1->SetText(settings.PeriodText);
  state.StartFolder = settings.StartFolder;
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
  if (settings.MonitorStyle) FDesktop.SetReplacedStyle(settings.MonitorStyle);
  state.SecondsMode = settings.SecondsMode;
  FHotKeys.SetFlags(settings.HotKeyFlags);  // claimed once the window's keys are made
  PassSettings();
}

void TForm1::SaveCFG() {
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
  settings.SecondsMode = Program().SecondsMode;
  settings.HotKeyFlags = HotKeyFlags();
  settings.PerMonitor = PerMonitor->Checked();
  settings.MonitorStyle = FDesktop.ReplacedStyle();
  const std::string bytes = WriteConfig(settings, SystemLegacyCodePage());
  if (Program().KeepConfigFile) return;
  ReplaceConfigFile(Program().Folders.ConfigPath, bytes);
}

}  // namespace tarvell
