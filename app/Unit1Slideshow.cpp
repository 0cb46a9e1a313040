// The main window as the slideshow's view: the preview, the caption, the list box, the
// questions and the desktop wallpaper; and the commands, timer and options that hand over
// to the model.
#include "app/ConfigFile.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "components/SysTray.h"
#include "desktop/MonitorLayout.h"
#include "desktop/MonitorPictures.h"
#include "desktop/RecycleBin.h"
#include "desktop/Wallpaper.h"
#include "desktop/WallpaperStyle.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/Edit.h"
#include "app/JPEGImageControl.h"
#include "gui/Label.h"
#include "gui/VirtualListBox.h"
#include "gui/WaitCursor.h"
#include "base/WideText.h"
#include "picture/DecodeError.h"
#include "slideshow/Countdown.h"
#include "slideshow/PreviewFit.h"
#include "slideshow/TrayTip.h"
#include "windows/HelpWindows.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <new>
#include <stdexcept>

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

TSlideshowSettings TForm1::Settings() const {
  // The settings loader only lets whole numbers from 0 to 1000 into the period field.
  return TSlideshowSettings{Random->Checked(),
                            Sound->Checked(),
                            Once->Checked(),
                            static_cast<double>(ParsePeriod(Edit1->Text()).value_or(0)),
                            Program().SecondsMode,
                            PerMonitor->Checked()};
}

bool TForm1::QuestionOpen() const { return ModalDepth() > 0; }

void TForm1::ShowCaption(const std::string& caption) { SetCaption(caption); }

TSize TForm1::DesktopSize() {
  // The same reading the decode's wallpaper fit makes.
  const RECT screen = ReadMonitorLayout().VirtualScreen;
  return TSize{screen.right - screen.left, screen.bottom - screen.top};
}

bool TForm1::DesktopShowsOurWallpaper() { return DesktopShowsWallpaper(Program().Folders.WallpaperPath); }

TLoadResult TForm1::ShowPicture(const std::string& path) {
  try {
    // The desktop's style and size are read at each change, so a change of either counts
    // from the next picture on: a picture the desktop scales down is decoded only as large
    // as the screen needs.
    JPEGImage1->SetWallpaperFit(ReadWallpaperFit());
    JPEGImage1->SetFileName(path);
  } catch (const EJPEGException& e) {
    return e.Kind() == TDecodeFailure::Unsupported ? TLoadResult::Unsupported : TLoadResult::Damaged;
  } catch (const EFOpenError&) {
    return TLoadResult::Unreadable;
  } catch (const EReadError&) {
    return TLoadResult::Unreadable;
  } catch (const std::bad_alloc&) {
    return TLoadResult::Unsupported;
  } catch (const std::length_error&) {
    return TLoadResult::Unsupported;
  } catch (const Exception&) {
    return TLoadResult::Damaged;
  }
  FitPreviewToWindow();
  return TLoadResult::Shown;
}

void TForm1::FitPreviewToWindow() {
  const TPicture& picture = JPEGImage1->Picture();
  const TSize room = PreviewRoom(TSize{Width(), Height()}, ListBox1->Left(), ListBox1->Width(), JPEGImage1->Top());
  const auto size = FitPreview(room, TSize{picture.Width(), picture.Height()});
  if (!size) return;
  JPEGImage1->SetBounds(JPEGImage1->Left(), JPEGImage1->Top(), size->Width, size->Height);
}

void TForm1::ApplyPreview() {
  TWaitCursor busy;
  const std::string& wallpaper = Program().Folders.WallpaperPath;
  WriteWallpaperFile(JPEGImage1->Picture(), wallpaper);
  // Pictures for each monitor set Span (or Tile) in the user's place: one picture is fitted
  // by the user's own style again.
  if (FMonitorStyle) {
    PutBackStyleValues(*FMonitorStyle, HKEY_CURRENT_USER, DesktopSettingsKey);
    FMonitorStyle.reset();
  }
  // The full path: a bare file name is not looked up in the Windows directory any more.
  SetDesktopWallpaper(wallpaper);
  // Cut to what our tray icon takes: it would keep its previous tip for a longer one.
  SetTrayHint(TrayTipForPath(JPEGImage1->FileName(), TrayTipMaxLength));
}

int TForm1::MonitorCount() {
  const auto count = ReadMonitorLayout().Monitors.size();
  return count > 0 ? static_cast<int>(count) : 1;
}

void TForm1::ApplyMonitorPictures(const std::vector<std::string>& paths) {
  TWaitCursor busy;
  SetMonitorPictures(paths, SystemMonitorDesktop(Program().Folders.WallpaperPath), FMonitorStyle);
  SetTrayHint(TrayTipForPath(paths.front(), TrayTipMaxLength));
}

void TForm1::ClearWallpaper() {
  SetDesktopWallpaper("");
  SetTrayHint(TrayHintIdle);
}

void TForm1::ChangeFinished() noexcept {
  if (Visible()) return;
  // Only the tray icon is shown: keep no decoded picture in memory between changes.
  try {
    JPEGImage1->SetFileName("");
  } catch (...) {
    // Emptying reads no file; nothing to report.
  }
}

bool TForm1::Ask(const std::string& text, const std::string& caption, TDefaultAnswer byDefault) {
  return AskOkCancel(text, caption, byDefault == TDefaultAnswer::Cancel);
}

void TForm1::Beep(unsigned frequency, unsigned duration) {
  ::Beep(static_cast<DWORD>(frequency), static_cast<DWORD>(duration));
}

std::optional<std::string> TForm1::DeletePictureFile(const std::string& path) { return RecycleFile(path); }

void TForm1::ShowError(const std::string& message) { ShowErrorBox(message); }

void TForm1::OpenPictureFile(const std::string& path) {
  // The shell takes plain paths best; one it would read as another file ("a.jpeg." as its
  // neighbour "a.jpeg") goes in the exact form, which opens that file or nothing.
  const std::wstring file = ShellReadsExactly(path) ? Widen(path) : WidePath(path);
  ::ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::ListChanged() {
  TListUpdate update(*ListBox1);
  // The list draws its rows from the model's paths: the window holds no copy of them.
  ListBox1->ShowVirtual(FSlideshow.Count(), [this](int i) { return FSlideshow.Pictures()[static_cast<std::size_t>(i)]; });
}

void TForm1::EntryRemoved(std::int32_t index) { ListBox1->Delete(index); }

void TForm1::SelectionChanged(std::int32_t index) { ListBox1->SetItemIndex(index); }

bool TForm1::FullScreenBusy() { return FPresence.FullScreenBusy(); }

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
void TForm1::SoundClick(TObject&) { Beep(ChangeTickHz, ChangeTickMs); }
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
    SetTrayHint(TrayTipForPath(JPEGImage1->FileName(), TrayTipMaxLength));
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
