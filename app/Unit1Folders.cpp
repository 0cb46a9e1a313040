// The main window's folder lists: the chosen folder and the Subfolders box decide the
// picture list, which the slideshow builds; rebuilt when the folder or the box changes.
#include "app/ProgramState.h"
#include "base/PathText.h"
#include "base/ScopeGuard.h"
#include "app/Unit1.h"
#include "gui/CheckBox.h"
#include "gui/Dialogs.h"
#include "gui/DirectoryListBox.h"
#include "gui/DriveComboBox.h"
#include "gui/FolderPath.h"
#include "base/Exception.h"
#include "gui/WaitCursor.h"

namespace tarvell {

namespace {

// A bare subfolder name is taken relative to the folder entered last; a path with a drive,
// or one starting at a root, stands for itself.
bool IsBareName(const std::string& folder) {
  if (folder.size() >= 2 && folder[1] == ':') return false;
  return folder.empty() || (folder.front() != '\\' && folder.front() != '/');
}

}  // namespace

std::string TForm1::ChosenFolder() const {
  return FFolders.Saved().empty() ? FListFolder : FFolders.Saved();
}

void TForm1::AddAll(const std::string& folder) {
  const std::string path = IsBareName(folder) ? JoinPath(FListFolder, folder) : folder;
  // Every readable folder is added; the first that was not is reported.
  FSlideshow.AddAll(path);
}

void TForm1::BuildPictureList() {
  if (FFolders.Entered()) {
    FListFolder = DirectoryListBox2->Directory();
    FFolders.Moved(FListFolder);
  }
  // Listed on a worker thread under the hourglass; a folder that cannot be read is skipped
  // and reported, and the rest of the list stands.
  FSlideshow.Rebuild(FFolders.RebuildFolder(FListFolder), Subfolders->Checked());
  ++FListBuilds;
}

void TForm1::DirectoryListBox2Change(TObject&) {
  ++FFolderChanges;
  TProgramState& state = Program();
  // The list moved on its own (a folder or drive picked), not for a Subfolders click.
  if (!state.KeepSubfolders && state.FormReady) FFolders.Moved(DirectoryListBox2->Directory());
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
  // Busy for the coming rebuild, which ends with the arrow; so does the same folder (no
  // rebuild) and a folder that cannot be entered. The list is moved here, under the busy
  // cursor; its own move then finds nothing to do.
  TWaitCursor busy(crArrow);
  if (SamePathText(target, DirectoryListBox2->Directory())) return;
  DirectoryListBox2->SetDirectory(target);
}

void TForm1::DriveComboBox1Click(TObject&) { Subfolders->SetChecked(false); }

void TForm1::SubfoldersClick(TObject& Sender) {
  TProgramState& state = Program();
  state.KeepSubfolders = true;
  TScopeGuard keepEnds([&state]() noexcept { state.KeepSubfolders = false; });
  DirectoryListBox2Change(Sender);
}

}  // namespace tarvell
