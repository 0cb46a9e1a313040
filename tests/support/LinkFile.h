// Reads the show command stored in a shortcut file's header. Loading a shortcut through the
// shell reports every value but 1, 3 and 7 as 1, so the stored value is read from the file.
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace tarvell::test {

inline std::optional<std::uint32_t> StoredShowCommand(const std::string& linkPath) {
  std::ifstream in(linkPath, std::ios::binary);
  unsigned char header[0x4C] = {};
  if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
  const auto u32 = [&](int at) {
    return std::uint32_t{header[at]} | std::uint32_t{header[at + 1]} << 8 | std::uint32_t{header[at + 2]} << 16 |
           std::uint32_t{header[at + 3]} << 24;
  };
  if (u32(0) != 0x4C) return std::nullopt;  // the header's own size: not a shortcut otherwise
  return u32(60);
}

}  // namespace tarvell::test
