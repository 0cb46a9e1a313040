// The main window as the slideshow's view: the preview, the caption, the list box, the
// questions and the tray tip. Nothing here calls the model back: what a view method needs
// comes in its arguments.
#include "app/JPEGImageControl.h"
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "components/SysTray.h"
#include "gui/Dialogs.h"
#include "gui/VirtualListBox.h"
#include "gui/WaitCursor.h"
#include "slideshow/PreviewFit.h"
#include "slideshow/TrayTip.h"

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

bool TForm1::QuestionOpen() const { return ModalDepth() > 0; }

void TForm1::ShowCaption(const std::string& caption) { SetCaption(caption); }

void TForm1::ShowPicture(const std::string& path) {
  // Only the tray icon is shown: the picture is not copied for nobody to see.
  if (!Visible()) return;
  JPEGImage1->Picture() = FDesktop.PictureCopy();
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
  FDesktopPath = path;
  SetTrayTip(path);
  SaveHistory();
  KeepShowState();
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

void TForm1::SetVisible(bool visible) {
  TForm::SetVisible(visible);
  FSlideshow.PreviewSeen(visible);
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

void TForm1::ListingBusy(bool busy) {
  // The window keeps answering meanwhile; a listing ends with the arrow.
  Screen.SetCursor(busy ? crHourGlass : crArrow);
}

void TForm1::RunFinishedWork() {
  if (!QuestionOpen()) FRunner.RunFinished();
}

}  // namespace tarvell
