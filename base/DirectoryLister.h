#pragma once
// What the picture walk and the folder lists need of a file system: the entries of one folder
// and, for the walk's loop detection, the identity of the folder a path leads to.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvell {

struct TDirEntry {
  std::string Name;       // bare name; never "." or ".."
  bool IsFolder = false;  // also a link that leads to a folder
  bool IsLink = false;    // a symbolic link, junction or other reparse point
  bool Hidden = false;
  bool System = false;
};

// Which folder a path leads to, whatever the path: equal identities are the same folder.
struct TFolderId {
  std::uint64_t Volume = 0;
  std::uint64_t Index = 0;
  friend bool operator==(const TFolderId&, const TFolderId&) = default;
};

class TDirectoryLister {
public:
  virtual ~TDirectoryLister() = default;

  // The separator between a folder and a name in this file system's paths.
  virtual char Separator() const = 0;

  // Replaces `entries` with the folder's entries, in no particular order. Returns 0, or
  // the system's error code when the folder cannot be read (entries are then undefined).
  virtual int List(const std::string& folder, std::vector<TDirEntry>& entries) = 0;

  // The identity of the folder `folder` leads to, links followed; nothing when unknown.
  virtual std::optional<TFolderId> Identify(const std::string& folder) = 0;
};

}  // namespace tarvell
