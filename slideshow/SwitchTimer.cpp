// The one-second switching timer, the period's unit and the Startup/Once boxes.
#include "app/ConfigFile.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/Edit.h"
#include "app/JPEGImageControl.h"
#include "gui/Label.h"
#include "slideshow/Countdown.h"
#include "slideshow/TrayTip.h"
#include "windows/HelpWindows.h"

namespace tarvell {

void TForm1::Timer1Timer(TObject& Sender) {
  TProgramState& state = Program();
  // The timer runs from its creation, and building the window may dispatch its first
  // ticks; there is nothing to count until the settings are in the controls.
  if (!state.FormReady) return;
  state.SecondsElapsed = NextSecondsElapsed(state.SecondsElapsed);
  const bool secondsMode = state.SecondsMode;
  if (state.ShowHelpPending) {
    state.ShowHelpPending = false;  // cleared first: a failure to open it is not retried every second
    ShowHelpWindow();
  }
  // The settings loader only lets whole numbers from 0 to 1000 into the field.
  const double period = ParsePeriod(Edit1->Text()).value_or(0);
  if (!CountdownShown(period)) return;

  // While one of the program's questions is open nothing is switched: its answer may act
  // on the current picture. The seconds go on counting, so an overdue change follows it.
  if (ModalDepth() == 0 && SwitchDue(state.SecondsElapsed, period, secondsMode, ListCount() == 0)) {
    if (Once->Checked()) {
      // The settings keep the picture that is on the desktop, so the next start's change
      // shows the one after it.
      QuitClick(Sender);
      return;
    }
    SelectNextPicture();
    ChangeToCurrentEntry();
  }

  if (Visible()) {
    SecToChange->SetText(CountdownText(SecondsToChange(state.SecondsElapsed, period, secondsMode, ListCount() == 0)));
    SetTrayHint(TrayTipForPath(JPEGImage1->FileName()));
  }
}

void TForm1::Edit1DblClick(TObject&) {
  if (!AskOkCancel("Do you want to swicth time units Min/Sec", "Fast/Slow")) return;
  TProgramState& state = Program();
  state.SecondsMode = !state.SecondsMode;
  Period->SetCaption(std::string(PeriodUnitCaption(state.SecondsMode)));
  if (state.SecondsMode) Edit1->SetText(PeriodTextAfterUnitSwitch(Edit1->Text(), true));
}

void TForm1::PeriodDblClick(TObject& Sender) { Edit1DblClick(Sender); }

void TForm1::StartupClick(TObject&) { Once->SetEnabled(Startup->Checked()); }

}  // namespace tarvell
