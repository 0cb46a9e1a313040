// Replacing a file's contents in one step: the new bytes go to a temporary file beside it,
// which then takes the old file's place. A reader never sees a half-written file, and a
// failed write (a full disk, say) leaves the old one as it was.
#pragma once

#include <cstddef>
#include <string>

namespace tarvell {

enum class TReplaceResult {
  Replaced,
  NotCreated,  // the temporary file could not be created
  NotWritten,  // writing or flushing it failed
  NotMoved,    // it could not take the old file's place
};

// On any failure the temporary file is removed and the old file stays untouched.
TReplaceResult ReplaceFileContents(const std::string& path, const void* data, std::size_t size);

}  // namespace tarvell
