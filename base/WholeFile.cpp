#include "base/WholeFile.h"

#include "base/NativePath.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace tarvell {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::path native = NativePath(path);
  if (!std::filesystem::is_regular_file(native, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(native, error);
  if (error) return std::nullopt;
  std::ifstream in(native, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  // Through read(), which turns a failing read into badbit; the stream buffer on its own
  // throws then (libstdc++) or just ends early (MSVC), which only the size would tell.
  char piece[64 * 1024];
  do {
    in.read(piece, sizeof piece);
    bytes.append(piece, static_cast<std::size_t>(in.gcount()));
  } while (in);
  if (in.bad() || bytes.size() < size) return std::nullopt;
  return bytes;
}

}  // namespace tarvell
