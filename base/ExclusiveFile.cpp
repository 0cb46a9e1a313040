#include "base/ExclusiveFile.h"

#include "base/Exception.h"


#include <limits>

namespace tarvell {

std::vector<std::uint8_t> TExclusiveFile::ReadAll() {
  const std::uint64_t size = Size();
  if (size > std::numeric_limits<std::size_t>::max()) {
    throw EReadError("Stream read error");
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  ReadExactly(bytes.data(), bytes.size());
  return bytes;
}

}  // namespace tarvell
