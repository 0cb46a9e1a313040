// The main window's commands, timer and options, handed over to the slideshow model. What the
// window shows for the model is in Unit1View.cpp; the desktop's work is the port's
// (desktop/Win32DesktopPort.h).
#include "app/ConfigFile.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "components/SysTray.h"
#include "gui/CheckBox.h"
#include "gui/ComboBox.h"
#include "gui/Dialogs.h"
#include "gui/Edit.h"
#include "app/JPEGImageControl.h"
#include "gui/Label.h"
#include "gui/VirtualListBox.h"
#include "slideshow/Countdown.h"
#include "slideshow/PreviewFit.h"
#include "slideshow/TrayTip.h"
#include "windows/HelpWindows.h"

#include <windows.h>

namespace tarvell {

// The settings the model steers by, handed over whenever a control that holds one changes.

void TForm1::PassSettings() {
  // The settings loader only lets whole numbers from 0 to 1000 into the period field.
  TSlideshowSettings settings;
  settings.Random = Random->Checked();
  settings.Sound = Sound->Checked();
  settings.Once = Once->Checked();
  settings.Period = static_cast<double>(ParsePeriod(Edit1->Text()).value_or(0));
  settings.Unit = Program().Unit;
  settings.PerMonitor = PerMonitor->Checked();
  settings.OnTheClock = OnTheClock->Checked();
  FSlideshow.SetSettings(settings);
}

void TForm1::SettingsClick(TObject&) { PassSettings(); }

// Whether anybody sees the desktop. A change held back follows at the timer's next tick, not
// here: these notices may arrive in the middle of a change.

void TForm1::SessionLocked(bool locked) { FSlideshow.SessionLocked(locked); }
void TForm1::SessionDisconnected(bool disconnected) { FSlideshow.SessionDisconnected(disconnected); }
void TForm1::Sleeping() { FSlideshow.Sleeping(); }
void TForm1::DesktopBack() { FSlideshow.DesktopBack(); }

// The commands.

void TForm1::ShowCurrentPicture() { FSlideshow.ShowCurrent(); }
void TForm1::ApplyWallpaper() { FSlideshow.Apply(); }
void TForm1::NextClick(TObject&) { FSlideshow.Next(); }
void TForm1::SetWallpaperClick(TObject&) { FSlideshow.Apply(); }
void TForm1::ClearClick(TObject&) { FSlideshow.Clear(); }
void TForm1::DeleteKeyHotKey(TObject&, int) { FSlideshow.DeleteCurrent(); }
void TForm1::SoundClick(TObject&) {
  Beep(ChangeTickHz, ChangeTickMs);
  PassSettings();
}
void TForm1::ListBox1Click(TObject&) { FSlideshow.Pick(ListBox1->ItemIndex()); }
void TForm1::ListBox1DblClick(TObject&) { FSlideshow.PickAndApply(ListBox1->ItemIndex()); }

void TForm1::ListBox1MouseDown(TObject&, TMouseButton Button, TShiftState, int, int) {
  // The current picture, whichever entry the mouse is over.
  if (Button == TMouseButton::mbRight) FSlideshow.OpenCurrent();
}

// The timer and the period.

void TForm1::Timer1Timer(TObject& Sender) {
  TProgramState& state = Program();
  // The timer runs from its creation, and building the window may dispatch its first
  // ticks; there is nothing to count until the settings are in the controls.
  if (!state.FormReady) return;
  // Work that finished while a question was open.
  RunFinishedWork();
  if (state.ShowHelpPending) {
    state.ShowHelpPending = false;  // cleared first: a failure to open it is not retried every second
    ShowHelpWindow();
  }
  if (FSlideshow.Tick() == TTickResult::Quit) {
    QuitClick(Sender);
    return;
  }
  KeepShowState();
  if (!Visible()) return;
  if (const auto countdown = FSlideshow.CountdownText()) {
    SecToChange->SetText(*countdown);
    SetTrayTip(FPreviewPath);
  }
}

// The double click switches between fast and slow, seconds and the rest, as it always did;
// hours and days are chosen in the unit box.
void TForm1::Edit1DblClick(TObject&) {
  if (!AskOkCancel("Do you want to swicth time units Min/Sec", "Fast/Slow")) return;
  SetUnit(Program().Unit == TPeriodUnit::Seconds ? TPeriodUnit::Minutes : TPeriodUnit::Seconds);
}

void TForm1::UnitChoiceClick(TObject&) {
  const int index = UnitChoice->ItemIndex();
  if (index < 0 || index > static_cast<int>(TPeriodUnit::Days)) return;
  if (const auto unit = static_cast<TPeriodUnit>(index); unit != Program().Unit) SetUnit(unit);
}

void TForm1::SetUnit(TPeriodUnit unit) {
  Program().Unit = unit;
  ShowUnit();
  Edit1->SetText(PeriodTextAfterUnitSwitch(Edit1->Text(), unit));
  PassSettings();
}

// The unit box lists the units in their order.
void TForm1::ShowUnit() {
  Period->SetCaption(std::string(PeriodUnitCaption(Program().Unit)));
  UnitChoice->SetItemIndex(static_cast<int>(Program().Unit));
}

void TForm1::PeriodDblClick(TObject& Sender) { Edit1DblClick(Sender); }

void TForm1::StartupClick(TObject&) { Once->SetEnabled(Startup->Checked()); }

}  // namespace tarvell
