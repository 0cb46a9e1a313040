// Reading a whole file into memory in one call.
#pragma once

#include <optional>
#include <string>

namespace tarvell {

// The file's bytes, or nothing when it cannot be opened or read to its end.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace tarvell
