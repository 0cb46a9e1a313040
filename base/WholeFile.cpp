#include "base/WholeFile.h"

#include "base/NativePath.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tarvell {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::path native = NativePath(path);
  if (!std::filesystem::is_regular_file(native, error)) return std::nullopt;
  std::ifstream in(native, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace tarvell
