// The files the steering keeps beside the settings: the history of changes and the pictures
// never to show again. Read once the settings are loaded, written as they change.
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "base/WideText.h"
#include "gui/ComboBox.h"
#include "gui/Dialogs.h"
#include "slideshow/ShuffleFile.h"

#include <exception>
#include <string>
#include <vector>

namespace tarvell {

namespace {

bool FileThere(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A file that cannot be read is said once and left alone for this run (TShowFile::Load).
std::string LoadOrSay(TShowFile& file) {
  try {
    return file.Load();
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
    return {};
  }
}

}  // namespace

void TForm1::LoadShowFiles() {
  const TProgramFolders& folders = Program().Folders;
  FShowFiles.emplace(TShowFiles{TShowFile(folders.HistoryPath), TShowFile(folders.ExcludePath),
                                TShowFile(folders.ShufflePath), {}, 0});
  FShowFiles->HistoryText = LoadOrSay(FShowFiles->History);
  // A damaged shuffle file costs only the order: a new shuffle starts.
  if (std::optional<TShuffleState> shuffle = ReadShuffleFile(LoadOrSay(FShowFiles->Shuffle)))
    FSlideshow.SetShuffleState(std::move(*shuffle));
  FShowFiles->ShuffleSaved = FSlideshow.ShuffleChanges();
  FSlideshow.SetHistory(TShowHistory::Parse(FShowFiles->HistoryText));
  FSlideshow.SetExcluded(TExcludeList::Parse(LoadOrSay(FShowFiles->Exclude)));
  ListExcluded();
}

void TForm1::SaveHistory() noexcept {
  if (!FShowFiles) return;
  try {
    std::string text = FSlideshow.History().Format();
    if (text == FShowFiles->HistoryText) return;  // a redecode or a clear: nothing new
    FShowFiles->History.Save(text);
    FShowFiles->HistoryText = std::move(text);
  } catch (const std::exception&) {
    // The history is a convenience: the show goes on, and the next change tries again.
  }
}

// The time of the last change (settings line 15) and the shuffle, saved as they change, so a
// restart neither repeats nor forgets them. A failure is left for the next change to retry, and
// the save on the way out reports one of the settings.
void TForm1::KeepShowState() noexcept {
  if (FScheduleStarted && FSlideshow.LastChangeUtc() != FLastChange) SaveCFGQuietly();
  if (!FShowFiles || FSlideshow.ShuffleChanges() == FShowFiles->ShuffleSaved) return;
  try {
    FShowFiles->Shuffle.Save(WriteShuffleFile(FSlideshow.ShuffleState()));
    FShowFiles->ShuffleSaved = FSlideshow.ShuffleChanges();
  } catch (const std::exception&) {
  }
}

void TForm1::SaveExcluded() {
  if (!FShowFiles) return;
  // A picture whose file has gone leaves the file with this save.
  TExcludeList excluded = FSlideshow.Excluded();
  const std::string text = excluded.Format(FileThere);
  FSlideshow.SetExcluded(std::move(excluded));
  ListExcluded();
  FShowFiles->Exclude.Save(text);
}

void TForm1::ListExcluded() {
  std::vector<std::string> items{"Never shown: " + std::to_string(FSlideshow.Excluded().Paths().size())};
  for (const std::string& path : FSlideshow.Excluded().Paths()) items.push_back(path);
  Excluded->SetItems(std::move(items));
  Excluded->SetItemIndex(0);
}

void TForm1::ExcludedClick(TObject&) {
  const int index = Excluded->ItemIndex();
  if (index <= 0) return;
  const std::string path = Excluded->Items()[static_cast<std::size_t>(index)];
  Excluded->SetItemIndex(0);
  if (!AskOkCancel("Show " + path + " again?", "Never shown") || !FSlideshow.Readmit(path)) return;
  try {
    SaveExcluded();
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  }
  // Listed again with the folder's other pictures.
  BuildPictureList();
}

}  // namespace tarvell
