#include "slideshow/PictureWalk.h"

#include "base/PathText.h"
#include "base/NameOrder.h"

#include <algorithm>

namespace tarvell {

TPictureWalk::TPictureWalk(TDirectoryLister& lister, const TFileMask& mask)
    : Lister(lister), Mask(mask), Separator(lister.Separator()), Stack(), Entries(), Names() {}

std::string TPictureWalk::NormalizeFolder(const std::string& folder, char separator) {
  std::string result = folder;
  while (result.size() > 1 && result.back() == separator) {
    if (result.size() == 3 && result[1] == ':') break;                    // "C:\"
    if (result.find_first_not_of(separator) == std::string::npos) break;  // "/", "\\"
    result.pop_back();
  }
  return result;
}

TPictureList TPictureWalk::Collect(const std::string& folder, bool subfolders) {
  TPictureList out;
  Stack.clear();
  Stack.push_back(TFrame{NormalizeFolder(folder, Separator), {}, 0, std::nullopt, false});
  if (!Enter(Stack.back(), subfolders, out)) Stack.clear();

  // Depth first with an explicit stack, so that deep trees cannot exhaust the call stack;
  // the stack is also the chain of ancestors that loop detection compares against.
  while (!Stack.empty()) {
    TFrame& top = Stack.back();
    if (top.Next == top.Subfolders.size()) {
      Stack.pop_back();
      continue;
    }
    const TSubfolder& sub = top.Subfolders[top.Next++];
    std::string path = JoinPath(top.Path, sub.Name, Separator);
    if (sub.IsLink && LeadsToAncestor(path)) continue;
    // Push before listing: `top` and `sub` are not used again after this point.
    Stack.push_back(TFrame{std::move(path), {}, 0, std::nullopt, false});
    if (!Enter(Stack.back(), true, out)) Stack.pop_back();
  }
  out.Pictures.ShrinkToFit();
  return out;
}

bool TPictureWalk::Enter(TFrame& frame, bool subfolders, TPictureList& out) {
  const int error = Lister.List(frame.Path, Entries);
  if (error != 0) {
    if (out.FirstError == 0) out.FirstError = error;
    return false;
  }
  Names.clear();
  for (auto& entry : Entries) {
    if (entry.Hidden || entry.System) continue;
    if (entry.IsFolder) {
      if (subfolders) frame.Subfolders.push_back(TSubfolder{std::move(entry.Name), entry.IsLink});
    } else if (Mask.Matches(entry.Name)) {
      Names.push_back(std::move(entry.Name));
    }
  }
  std::sort(Names.begin(), Names.end(), NameLess);
  std::sort(frame.Subfolders.begin(), frame.Subfolders.end(),
            [](const TSubfolder& a, const TSubfolder& b) { return NameLess(a.Name, b.Name); });

  if (Names.empty()) return true;
  // The folder's text is kept once for all its pictures.
  out.Pictures.BeginFolder(AppendPathName(frame.Path, {}, Separator));
  for (const auto& name : Names) out.Pictures.Add(name);
  return true;
}

const std::optional<TFolderId>& TPictureWalk::IdOf(TFrame& frame) {
  if (!frame.IdKnown) {
    frame.Id = Lister.Identify(frame.Path);
    frame.IdKnown = true;
  }
  return frame.Id;
}

bool TPictureWalk::LeadsToAncestor(const std::string& path) {
  const auto target = Lister.Identify(path);
  if (!target) return false;  // an unknown link is entered; its listing fails or the path grows too long
  for (auto& frame : Stack)
    if (IdOf(frame) == target) return true;
  return false;
}

}  // namespace tarvell
