// Sending a picture file to the Recycle Bin, never deleting it for good.
#pragma once

#include <optional>
#include <string>

namespace tarvell {

// The calls RecycleFile makes; the system's, or a stand-in in tests. Error codes are the
// system's (0 for none).
class TRecycleCalls {
public:
  virtual ~TRecycleCalls() = default;
  // Sends the file at a path the shell reads exactly (ShellReadsExactly) to the Recycle Bin,
  // silently; where it cannot go there, the file is not deleted for good without the user's say.
  virtual unsigned long Recycle(const std::string& path) = 0;
  // Renames a file, both names taken exactly as written, never replacing another file.
  virtual unsigned long Rename(const std::string& from, const std::string& to) = 0;
  // Whether the system says that no file or folder of that exact name is there.
  virtual bool Missing(const std::string& path) = 0;
};

TRecycleCalls& SystemRecycleCalls();

// Whether the shell, which takes plain paths only, reads path as exactly that file: an
// absolute path shorter than the classic 260 characters, no name in it ending in a dot or a
// space (the plain form trims those: "a.jpeg." would be "a.jpeg"), no "." or "..", no
// wildcard, no device name such as "NUL".
bool ShellReadsExactly(const std::string& path);

// Sends the file to the Recycle Bin. A name that the shell would read as another file is first
// renamed, beside itself, to one it reads exactly ("a.jpeg." to "a.jpeg._"), and given its
// name back when it cannot go. Nothing when the file is gone (also when it already was), else
// a message that names the file and says why it stayed. The shell's call counts as an open box
// of the program's (TSystemCallScope).
std::optional<std::string> RecycleFile(const std::string& path, TRecycleCalls& calls = SystemRecycleCalls());

// The system's text for an error code, without the full stop and line end at its end.
std::string SystemErrorText(unsigned long error);

}  // namespace tarvell
