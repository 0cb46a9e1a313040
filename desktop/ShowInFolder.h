// Opens the folder of a file in Explorer with the file selected.
#pragma once

#include <string>

namespace tarvell {

// False when the shell could not find the file or open its folder. Uses COM on the calling
// thread for the call's length.
bool ShowInFolder(const std::string& path) noexcept;

}  // namespace tarvell
