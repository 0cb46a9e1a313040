// The main window's picture list: built from the chosen folder (and its subfolders) by the
// platform-free walk, rebuilt when the folder or the Subfolders box changes, and picked
// from with the mouse.
#include "app/ProgramState.h"
#include "app/Unit1.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/FileListBox.h"
#include "gui/FolderPath.h"
#include "gui/InOutError.h"
#include "gui/ListBox.h"
#include "slideshow/PictureWalk.h"
#include "slideshow/Win32DirectoryLister.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

namespace tarvell {

namespace {

// The arrow comes back when a rebuild ends, also when it ends in an error.
class TArrowAtEnd {
public:
  TArrowAtEnd() noexcept { Screen.SetCursor(crHourGlass); }
  ~TArrowAtEnd() { Screen.SetCursor(crArrow); }
  TArrowAtEnd(const TArrowAtEnd&) = delete;
  TArrowAtEnd& operator=(const TArrowAtEnd&) = delete;
};

class TListUpdate {
public:
  explicit TListUpdate(TListBox& list) : FList(list) { FList.BeginUpdate(); }
  ~TListUpdate() { FList.EndUpdate(); }
  TListUpdate(const TListUpdate&) = delete;
  TListUpdate& operator=(const TListUpdate&) = delete;

private:
  TListBox& FList;
};

// A bare subfolder name is taken relative to the folder entered last; a path with a drive,
// or one starting at a root, stands for itself.
bool IsBareName(const std::string& folder) {
  if (folder.size() >= 2 && folder[1] == ':') return false;
  return folder.empty() || (folder.front() != '\\' && folder.front() != '/');
}

}  // namespace

std::string TForm1::ChosenFolder() const {
  return FChosenFolder.empty() ? DirectoryListBox1->Directory() : FChosenFolder;
}

std::int32_t TForm1::ListCount() const { return ListBox1->Count(); }

std::string TForm1::EntryAt(std::int32_t index) const {
  if (index < 0 || index >= ListCount())
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return ListBox1->Item(index);
}

void TForm1::SelectCurrentEntry() { ListBox1->SetItemIndex(CurrentIndex); }

// Removes the entry of `path`: the current one when it names that file, otherwise the first
// that does (the current picture may have changed while the user was being asked). The
// current picture stays current unless it was the one removed; then the following one is.
void TForm1::RemoveEntry(const std::string& path) {
  const std::int32_t count = ListCount();
  std::int32_t index = -1;
  if (CurrentIndex >= 0 && CurrentIndex < count && ListBox1->Item(CurrentIndex) == path) {
    index = CurrentIndex;
  } else {
    const auto& items = ListBox1->Items();
    const auto found = std::find(items.begin(), items.end(), path);
    if (found != items.end()) index = static_cast<std::int32_t>(found - items.begin());
  }
  if (index < 0) return;  // the list was rebuilt meanwhile without it
  ListBox1->Delete(index);
  FSelector.Removed(index);
  if (index < CurrentIndex) --CurrentIndex;
  const std::int32_t left = ListCount();
  if (left > 0 && CurrentIndex >= left) CurrentIndex = left - 1;
}

int TForm1::AppendPictures(const std::string& folder, bool subfolders) {
  TWin32DirectoryLister lister;
  const TFileMask mask(FileListBox1->Mask());
  TPictureWalk walk(lister, mask);
  TPictureList found = walk.Collect(folder, subfolders);
  TListUpdate update(*ListBox1);
  if (ListBox1->Count() == 0) {
    ListBox1->SetItems(std::move(found.Pictures));
  } else {
    for (const std::string& picture : found.Pictures) ListBox1->Add(picture);
  }
  return found.FirstError;
}

void TForm1::AddAll(const std::string& folder) {
  const std::string path = IsBareName(folder) ? JoinFolder(DirectoryListBox1->Directory(), folder) : folder;
  const int error = AppendPictures(path, true);
  // Every readable folder has been added; the first that was not is reported.
  if (error != 0) throw EInOutError(error);
}

void TForm1::BuildPictureList() {
  int error = 0;
  {
    TArrowAtEnd busy;
    DirectoryListBox1->SetDirectory(DirectoryListBox2->Directory());
    FChosenFolder = DirectoryListBox1->Directory();
    ListBox1->Clear();
    error = AppendPictures(FChosenFolder, Subfolders->Checked());
    FSelector.NewRound();
    ++FListBuilds;
    const std::int32_t count = ListCount();
    if (count > 0) {
      CurrentIndex = TPictureSelector::ClampIndex(CurrentIndex, count);
      SelectCurrentEntry();
      ShowCurrentPicture();
    }
  }
  // A folder that could not be read was skipped; the rest of the list stands.
  if (error != 0) ShowErrorBox(EInOutError(error).what());
}

void TForm1::DirectoryListBox2Change(TObject&) {
  ++FFolderChanges;
  TProgramState& state = Program();
  if (!state.KeepSubfolders && Subfolders->Checked()) {
    // Unchecking the box clicks it, and the click rebuilds the list for the new folder;
    // building it a second time here would only repeat that (and any error box).
    const unsigned builds = FListBuilds;
    Subfolders->SetChecked(false);
    if (FListBuilds != builds) return;
  }
  if (!state.FormReady) return;
  BuildPictureList();
}

void TForm1::DirectoryListBox2DblClick(TObject&) {
  const int index = DirectoryListBox2->ItemIndex();
  if (index < 0) return;
  const std::string target = DirectoryListBox2->ItemPath(index);
  if (SameFolderText(target, DirectoryListBox2->Directory())) {
    Screen.SetCursor(crArrow);  // no other folder, so no rebuild that would end the busy cursor
    return;
  }
  // Move the list here, under the busy cursor, so that a folder that cannot be entered
  // does not leave the cursor busy; the list's own move then finds nothing to do.
  Screen.SetCursor(crHourGlass);
  try {
    DirectoryListBox2->SetDirectory(target);
  } catch (...) {
    Screen.SetCursor(crArrow);
    throw;
  }
}

void TForm1::DriveComboBox1Click(TObject&) { Subfolders->SetChecked(false); }

void TForm1::SubfoldersClick(TObject& Sender) {
  TProgramState& state = Program();
  state.KeepSubfolders = true;
  try {
    DirectoryListBox2Change(Sender);
  } catch (...) {
    state.KeepSubfolders = false;
    throw;
  }
  state.KeepSubfolders = false;
}

void TForm1::ListBox1Click(TObject&) {
  const int selected = ListBox1->ItemIndex();
  if (ListCount() == 0 || selected < 0) return;
  CurrentIndex = selected;
  ShowCurrentPicture();
}

void TForm1::ListBox1DblClick(TObject&) {
  const int selected = ListBox1->ItemIndex();
  if (ListCount() == 0 || selected < 0) return;
  CurrentIndex = selected;
  ApplyWallpaper();
}

void TForm1::ListBox1MouseDown(TObject&, TMouseButton Button, TShiftState, int, int) {
  if (Button != TMouseButton::mbRight || ListCount() == 0) return;
  // The current picture, whichever entry the mouse is over.
  const std::string path = EntryAt(CurrentIndex);
  ::ShellExecuteA(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tarvell
