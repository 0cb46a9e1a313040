// The main window as the slideshow's view: the preview, the caption, the list box, the
// questions and the tray tip; and the commands, timer and options that hand over to the model.
// The desktop's work is the port's (desktop/DesktopPort.h).
#include "app/ConfigFile.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "components/SysTray.h"
#include "gui/CheckBox.h"
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

namespace {

class TListUpdate {
public:
  explicit TListUpdate(TVirtualListBox& list) : FList(list) { FList.BeginUpdate(); }
  ~TListUpdate() { FList.EndUpdate(); }
  TListUpdate(const TListUpdate&) = delete;
  TListUpdate& operator=(const TListUpdate&) = delete;

private:
  TVirtualListBox& FList;
};

}  // namespace

// The view.

void TForm1::PassSettings() {
  // The settings loader only lets whole numbers from 0 to 1000 into the period field.
  FSlideshow.SetSettings(TSlideshowSettings{Random->Checked(), Sound->Checked(), Once->Checked(),
                                            static_cast<double>(ParsePeriod(Edit1->Text()).value_or(0)),
                                            Program().SecondsMode, PerMonitor->Checked()});
}

void TForm1::SettingsClick(TObject&) { PassSettings(); }

bool TForm1::QuestionOpen() const { return ModalDepth() > 0; }

void TForm1::ShowCaption(const std::string& caption) { SetCaption(caption); }

void TForm1::ShowPicture(const std::string& path) {
  // Only the tray icon is shown: the picture is not copied for nobody to see.
  if (!Visible()) return;
  JPEGImage1->Picture() = FDesktop.Picture();
  JPEGImage1->PictureChanged();
  FPreviewPath = path;
  FitPreviewToWindow();
}

void TForm1::FitPreviewToWindow() {
  const TPicture& picture = JPEGImage1->Picture();
  const TSize room = PreviewRoom(TSize{Width(), Height()}, ListBox1->Left(), ListBox1->Width(), JPEGImage1->Top());
  const auto size = FitPreview(room, TSize{picture.Width(), picture.Height()});
  if (!size) return;
  JPEGImage1->SetBounds(JPEGImage1->Left(), JPEGImage1->Top(), size->Width, size->Height);
}

void TForm1::DesktopChanged(const std::string& path) {
  // Cut to what our tray icon takes: it would keep its previous tip for a longer one.
  SetTrayHint(path.empty() ? std::string(TrayHintIdle) : TrayTipForPath(path, TrayTipMaxLength));
}

void TForm1::EmptyPreview() noexcept {
  try {
    JPEGImage1->SetFileName("");
  } catch (...) {
    // Emptying reads no file; nothing to report.
  }
  FPreviewPath.clear();
  FDesktop.ReleasePicture();
}

void TForm1::ChangeFinished() noexcept {
  // Only the tray icon is shown: keep no decoded picture in memory between changes.
  if (!Visible()) EmptyPreview();
}

bool TForm1::Ask(const std::string& text, const std::string& caption, TDefaultAnswer byDefault) {
  return AskOkCancel(text, caption, byDefault == TDefaultAnswer::Cancel);
}

void TForm1::Beep(unsigned frequency, unsigned duration) {
  ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(duration));
}

void TForm1::ShowError(const std::string& message) { ShowErrorBox(message); }

void TForm1::ListChanged(const TPicturePaths& pictures) {
  TListUpdate update(*ListBox1);
  // The list draws its rows from the slideshow's paths, which stay where they are: the window
  // holds no copy of them.
  ListBox1->ShowVirtual(static_cast<int>(pictures.size()),
                        [&pictures](int i) { return pictures[static_cast<std::size_t>(i)]; });
}

void TForm1::EntryRemoved(std::int32_t index) { ListBox1->Delete(index); }

void TForm1::SelectionChanged(std::int32_t index) { ListBox1->SetItemIndex(index); }

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
  if (state.ShowHelpPending) {
    state.ShowHelpPending = false;  // cleared first: a failure to open it is not retried every second
    ShowHelpWindow();
  }
  if (FSlideshow.Tick() == TTickResult::Quit) {
    QuitClick(Sender);
    return;
  }
  if (!Visible()) return;
  if (const auto countdown = FSlideshow.CountdownText()) {
    SecToChange->SetText(*countdown);
    SetTrayHint(TrayTipForPath(FPreviewPath, TrayTipMaxLength));
  }
}

void TForm1::Edit1DblClick(TObject&) {
  if (!AskOkCancel("Do you want to swicth time units Min/Sec", "Fast/Slow")) return;
  TProgramState& state = Program();
  state.SecondsMode = !state.SecondsMode;
  Period->SetCaption(std::string(PeriodUnitCaption(state.SecondsMode)));
  if (state.SecondsMode) Edit1->SetText(PeriodTextAfterUnitSwitch(Edit1->Text(), true));
  PassSettings();
}

void TForm1::PeriodDblClick(TObject& Sender) { Edit1DblClick(Sender); }

void TForm1::StartupClick(TObject&) { Once->SetEnabled(Startup->Checked()); }

}  // namespace tarvell
