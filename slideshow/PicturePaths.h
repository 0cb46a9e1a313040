#pragma once
// The picture list's paths, held compactly: a library of a hundred thousand pictures would
// otherwise spend a string object and a heap block on every path, repeating its folder each
// time. Each folder's text is kept once; each picture keeps its name in one shared buffer and
// two 32-bit numbers (where its name starts, which folder it lies in). An entry reads back as
// exactly the text it was made of: its folder's prefix followed by its name.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

class TPicturePaths {
public:
  // Positions must fit the slideshow's 32-bit index; more entries, or more text than 32-bit
  // offsets reach, throw std::length_error rather than wrap.
  static constexpr std::size_t MaxSize = std::numeric_limits<std::int32_t>::max();

  // Starts a folder: the names added after it are appended to `prefix` (the folder's path
  // and its separator, as the entries are to read).
  void BeginFolder(std::string_view prefix);
  // Adds an entry in the folder begun last (with none begun, the name is the whole path).
  void Add(std::string_view name);
  // Adds every entry of `other`, in its order.
  void Append(const TPicturePaths& other);

  std::size_t size() const noexcept { return FEntries.size(); }
  bool empty() const noexcept { return FEntries.empty(); }
  void clear() noexcept;
  // The path of entry `index` (< size()).
  std::string operator[](std::size_t index) const;
  // Whether entry `index` reads `path`, without building it.
  bool Holds(std::size_t index, std::string_view path) const noexcept;
  // The first entry that reads `path`, or size() when none does.
  std::size_t Find(std::string_view path) const noexcept;
  // Removes entry `index`; the entries after it move up by one.
  void erase(std::size_t index);

  // Gives back the room that growing left unused.
  void ShrinkToFit();
  // The heap bytes the list holds, for measuring.
  std::size_t MemoryBytes() const noexcept;
  std::vector<std::string> ToVector() const;

private:
  struct TEntry {
    std::uint32_t NameStart;  // in FNames; the name ends where the next entry's starts
    std::uint32_t Folder;     // index into FFolderStarts
  };

  std::string_view NameOf(std::size_t index) const noexcept;
  std::string_view FolderOf(std::size_t index) const noexcept;

  std::vector<TEntry> FEntries;
  std::string FNames;
  std::string FFolders;                      // every folder's prefix, one after another
  std::vector<std::uint32_t> FFolderStarts;  // folder i is FFolders[FFolderStarts[i], FFolderStarts[i+1])
};

}  // namespace tarvell
