// The change of picture: the preview and the caption for the current entry, the wallpaper
// made from the preview, the commands built on them (Next, Set wallpaper, Clear, delete),
// and the recovery from pictures that cannot be shown.
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "components/SysTray.h"
#include "desktop/Wallpaper.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/JPEGImageControl.h"
#include "gui/ListBox.h"
#include "jpeg/Exception.h"
#include "slideshow/PreviewFit.h"
#include "slideshow/TrayTip.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace tarvell {

namespace {

constexpr DWORD ChangeTickHz = 100;
constexpr DWORD ChangeTickMs = 20;
constexpr DWORD FailureBeepHz = 500;
constexpr DWORD FailureBeepMs = 50;
constexpr const char DeleteCaption[] = "Deleteting file from disk!";

}  // namespace

void TForm1::ShowCurrentPicture() { ShowCurrentEntry(); }

bool TForm1::LoadCurrentEntry() {
  const std::int32_t count = ListCount();
  if (count == 0) {
    SetCaption(std::string(VersionTitle) + "  0(0)");
    return true;
  }
  // The caption goes first, so it names the position even when the file then fails.
  SetCaption(std::string(VersionTitle) + "  " + std::to_string(CurrentIndex + 1) + "(" + std::to_string(count) + ")");
  try {
    JPEGImage1->SetFileName(EntryAt(CurrentIndex));
    FitPreviewToWindow();
  } catch (const Exception&) {
    return false;
  }
  FRecovery.Succeeded();
  return true;
}

bool TForm1::ShowCurrentEntry() {
  if (LoadCurrentEntry()) return true;
  RecoverFromFailure();
  return false;
}

void TForm1::FitPreviewToWindow() {
  const TPicture& picture = JPEGImage1->Picture();
  const TSize room = PreviewRoom(TSize{Width(), Height()}, ListBox1->Left(), ListBox1->Width(), JPEGImage1->Top());
  const auto size = FitPreview(room, TSize{picture.Width(), picture.Height()});
  if (!size) return;
  JPEGImage1->SetBounds(JPEGImage1->Left(), JPEGImage1->Top(), size->Width, size->Height);
}

void TForm1::ApplyWallpaper() {
  TWaitCursor busy;
  if (Sound->Checked()) ::Beep(ChangeTickHz, ChangeTickMs);
  TProgramState& state = Program();
  state.SecondsElapsed = 0;
  const std::string& wallpaper = state.Folders.WallpaperPath;
  WriteWallpaperFile(JPEGImage1->Picture(), wallpaper);
  // The full path: a bare file name is not looked up in the Windows directory any more.
  SetDesktopWallpaper(wallpaper);
  SetTrayHint(TrayTipForPath(JPEGImage1->FileName()));
}

void TForm1::SelectNextPicture() {
  const std::int32_t count = ListCount();
  if (count == 0) return;
  CurrentIndex = Random->Checked() ? FSelector.NextAtRandom(CurrentIndex, count)
                                   : TPictureSelector::NextInOrder(CurrentIndex, count);
}

bool TForm1::ReleasePreviewWhenHidden() {
  if (Visible()) return false;
  // Only the tray icon is shown: keep no decoded picture in memory between changes.
  JPEGImage1->SetFileName("");
  return true;
}

void TForm1::ApplyAndRelease() {
  try {
    ApplyWallpaper();
  } catch (...) {
    ReleasePreviewWhenHidden();
    throw;
  }
  ReleasePreviewWhenHidden();
}

void TForm1::ChangeToCurrentEntry() {
  SelectCurrentEntry();
  bool shown = false;
  try {
    shown = ShowCurrentEntry();
  } catch (...) {
    ReleasePreviewWhenHidden();
    throw;
  }
  if (shown)
    ApplyAndRelease();
  else
    ReleasePreviewWhenHidden();  // a failed load may have left the file's bytes behind
}

void TForm1::NextClick(TObject&) {
  if (ListCount() == 0) return;
  SelectNextPicture();
  ChangeToCurrentEntry();
}

void TForm1::SetWallpaperClick(TObject&) { ApplyWallpaper(); }

void TForm1::ClearClick(TObject&) {
  SetDesktopWallpaper("");
  SetTrayHint(TrayHintIdle);
  Program().SecondsElapsed = 0;
}

void TForm1::SoundClick(TObject&) { ::Beep(ChangeTickHz, ChangeTickMs); }

void TForm1::DeleteKeyHotKey(TObject&, int) {
  if (ListCount() == 0) return;  // no picture to name in the question
  // The path is fixed now: the answer may come after the current picture has changed.
  const std::string path = EntryAt(CurrentIndex);
  if (!AskOkCancel("Do you want to delete " + path + " current wallpaper file from disk?", DeleteCaption)) return;
  ::DeleteFileA(path.c_str());
  RemoveEntry(path);  // also when the file could not be deleted
  ChangeToCurrentEntry();
}

// A picture that cannot be shown: a beep, with Sound the offer to view and to delete it, then
// the next picture, which is applied. Failures that follow one another are handled here in
// turn, not by nested calls, so a long run of them cannot exhaust the stack.
void TForm1::RecoverFromFailure() {
  for (;;) {
    ::Beep(FailureBeepHz, FailureBeepMs);
    // With every picture failing the chain would never end: after as many failures in a row
    // as the list has entries it stops, and the wallpaper stays as it is.
    const bool tryNext = FRecovery.Failed(ListCount());
    bool deleted = false;
    if (Sound->Checked() && CurrentIndex >= 0 && CurrentIndex < ListCount()) {
      const std::string viewed = EntryAt(CurrentIndex);
      if (AskOkCancel("File " + viewed + " appears to be damadged. Do you want to veiw or edit it?",
                      "Veiwing damaged file"))
        ::ShellExecuteA(nullptr, nullptr, viewed.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      if (ListCount() > 0) {
        // Named afresh: the current picture may have changed while the first question was open.
        const std::string named = EntryAt(TPictureSelector::ClampIndex(CurrentIndex, ListCount()));
        if (AskOkCancel("File " + named + " appears to be damadged. Do you want to delete it?", DeleteCaption)) {
          ::DeleteFileA(named.c_str());
          RemoveEntry(named);
          deleted = true;  // the picture that followed it is current now
        }
      }
    }
    if (!deleted) {
      if (!tryNext || ListCount() == 0) return;
      SelectNextPicture();
    }
    SelectCurrentEntry();
    if (LoadCurrentEntry()) {
      ApplyAndRelease();
      return;
    }
  }
}

}  // namespace tarvell
