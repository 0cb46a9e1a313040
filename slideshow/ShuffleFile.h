#pragma once
// The shuffle's round as it outlives a restart, and the file "Tarvell.shuffle" that keeps it.
//
// A picture is named by a key, a 32-bit hash of its case-folded path: the round of a library
// of a hundred thousand pictures then costs 400 KB, not its paths' text, and a path that
// differs only in case names the same file. Two paths may share a key; the selector still
// gives each listed picture one place (PictureSelector.h).
//
// The file, little-endian, field by field: the magic "TVSH", a 32-bit version (1), the count
// of keys and how many of them are shown (64 bits each), then the keys, 4 bytes each, in the
// round's order (the shown ones first, in the order they were shown). A file that is cut
// short, longer than its count, or claims more shown than it holds is not read at all.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

// The key of the picture at `path`: FNV-1a over its case-folded characters, a code point at a
// time. Stored in files: it never changes.
std::uint32_t PictureKey(std::string_view path);

struct TShuffleState {
  std::vector<std::uint32_t> Order;  // the round's keys, the shown ones first
  std::uint64_t Shown = 0;           // how many of Order are shown (≤ its size)
  bool operator==(const TShuffleState&) const = default;
};

std::string WriteShuffleFile(const TShuffleState& state);
// Nothing for a file that is damaged, cut short, of another kind or of another version.
std::optional<TShuffleState> ReadShuffleFile(std::string_view bytes);

}  // namespace tarvell
