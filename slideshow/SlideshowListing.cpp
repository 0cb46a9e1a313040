// The list of pictures: Rebuild and AddAll kept in order, each listed off the window's
// thread, and what the listing found taken into the list once it is back.
#include "slideshow/Slideshow.h"

#include "base/Exception.h"

#include "slideshow/FileMask.h"
#include "slideshow/PictureWalk.h"

#include <exception>
#include <memory>
#include <utility>

namespace tarvell {

namespace {

void LeaveOut(TPicturePaths& pictures, const TExcludeList& excluded) {
  if (excluded.Paths().empty()) return;
  for (std::size_t i = pictures.size(); i-- > 0;)
    if (excluded.Contains(pictures[i])) pictures.erase(i);
}

}  // namespace

void TSlideshow::Rebuild(const std::string& folder, bool subfolders) {
  // The new list replaces whatever was asked for before, the listing in flight included.
  FInFlight.PendingLists.clear();
  FInFlight.Listing = 0;
  FInFlight.PendingLists.push_back(TListRequest{true, folder, subfolders});
  RunPendingLists();
}

void TSlideshow::AddAll(const std::string& folder) {
  FInFlight.PendingLists.push_back(TListRequest{false, folder, true});
  RunPendingLists();
}

void TSlideshow::RunPendingLists() {
  // One at a time from the front: a request made meanwhile joins the queue.
  if (FInFlight.Listing != 0 || FInFlight.PendingLists.empty() || FView.QuestionOpen()) return;
  const TListRequest request = std::move(FInFlight.PendingLists.front());
  FInFlight.PendingLists.erase(FInFlight.PendingLists.begin());
  StartListing(request);
}

void TSlideshow::StartListing(const TListRequest& request) {
  const std::uint64_t ticket = FInFlight.Listing = ++FInFlight.Tickets;
  FView.ListingBusy(true);
  // The work holds the lister, never the slideshow: only its finish, on this thread, may.
  // The worker has its own copy of the exclusions: the user may exclude more meanwhile.
  FRunner.Run(TLane::List, [this, &lister = FLister, ticket, request, excluded = FExcluded](const std::atomic<bool>&) -> TFinish {
    try {
      const TFileMask mask(PictureMask);
      TPictureWalk walk(lister, mask);
      auto found = std::make_shared<TPictureList>(walk.Collect(request.Folder, request.Subfolders));
      LeaveOut(found->Pictures, excluded);
      return [this, ticket, request, found] { ListDone(ticket, request, *found); };
    } catch (...) {
      // Out of memory, say: the list is as it was, or empty for a rebuild.
      return [this, ticket, request, error = std::current_exception()] {
        TPictureList none;
        ListDone(ticket, request, none);
        std::rethrow_exception(error);
      };
    }
  });
}

void TSlideshow::ListDone(std::uint64_t ticket, const TListRequest& request, TPictureList& found) {
  if (ticket != FInFlight.Listing) return;  // a newer rebuild replaced it
  FInFlight.Listing = 0;
  FView.ListingBusy(false);
  if (request.Replace) {
    FPictures = std::move(found.Pictures);
  } else if (FPictures.empty()) {
    FPictures = std::move(found.Pictures);
  } else {
    FPictures.Append(found.Pictures);
  }
  // The shuffle goes on over the new list: no listing starts a fresh round.
  FSelector.Relist(FPictures);
  FView.ListChanged(FPictures);
  if (found.FirstError != 0) FView.ShowError(InOutErrorText(found.FirstError));
  if (!FPictures.empty()) FCurrent = TPictureSelector::ClampIndex(FCurrent, Count());
  if (request.Replace && !FPictures.empty()) {
    // The preview and the caption stay as they were for a folder without pictures.
    FBook.AssumeOnDesktop(FPictures[static_cast<std::size_t>(FCurrent)]);
    FView.SelectionChanged(FCurrent);
    ShowCurrentPicture(TWorkKind::Show);
  }
  RunPendingLists();
  if (FInFlight.NextAfterListing && !ListRequestsPending()) {
    FInFlight.NextAfterListing = false;
    Next();
  }
}

}  // namespace tarvell
