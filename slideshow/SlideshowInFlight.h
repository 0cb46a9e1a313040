#pragma once
// What the slideshow has asked of the task runner and not yet had back: the listings kept for
// later and the one in flight, the picture work in flight, and the chain of failing pictures
// it is going through. Each piece carries a ticket; a finish whose ticket is no longer the one
// awaited was replaced or passed over, and is dropped.

#include "slideshow/DesktopPort.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

struct TListRequest {
  bool Replace;  // Rebuild; else AddAll
  std::string Folder;
  bool Subfolders;
};

enum class TWorkKind : std::uint8_t {
  Show,      // decode for the preview
  Change,    // decode and make it the wallpaper
  Redecode,  // the desktop's picture again, for a larger screen or a new monitor layout
  Clear,     // the wallpaper taken away
};

// The picture work in flight.
struct TPictureWork {
  std::uint64_t Ticket = 0;
  TWorkKind Kind = TWorkKind::Show;
  std::string Path;                // the picture, the primary monitor's with several
  std::vector<std::string> Round;  // one per monitor; empty for one picture
  std::string PreviewBack;         // Redecode: the preview's own picture, decoded after it
  TSize Screen;
  std::string Shape;  // the desktop's monitors and style when the work was asked for
  std::uint64_t Started = 0;
  bool Replay = false;  // a change of the history again: not recorded anew, the list untouched
  bool Preview = false;  // with a round, the primary's picture is decoded for the preview too
};

// The finish of a picture work, with what the runner's thread found.
struct TPictureDone {
  TLoadResult Result = TLoadResult::Shown;
  std::string ApplyError;  // the desktop could not be written
  bool PreviewBack = true;
  bool Previewed = false;  // the port holds the decode the preview is to show
};

// The chain of failures now being recovered from.
struct TFailureChain {
  std::int32_t Entries = 0;
  std::uint64_t Started = 0;
  bool Waits = false;   // goes on at the next tick
  bool Beeped = false;  // one beep a chain, however long
};

struct TSlideshowInFlight {
  std::uint64_t Tickets = 0;               // the last ticket handed out
  std::vector<TListRequest> PendingLists;  // kept for later, in the order they came
  std::uint64_t Listing = 0;               // the ticket of the listing in flight, 0 for none
  bool NextAfterListing = false;           // a Next came while the list was being made
  std::optional<TPictureWork> Work;
  TFailureChain Chain;
};

}  // namespace tarvell
