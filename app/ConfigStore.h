// Reading and replacing the settings file on disk. The format itself is in ConfigFile.h.
// Paths are UTF-8 and may be longer than the classic 260 characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvell {

// The file's bytes, or nothing when there is no file (or no folder). Throws EFOpenError
// ("Cannot open file %s") for every other failure: the file may be there but held or denied.
std::optional<std::string> ReadConfigFile(const std::string& path);

// The same for another small file of the program's; one longer than maxBytes is not ours.
std::optional<std::string> ReadProgramFile(const std::string& path, std::uint64_t maxBytes);

// Writes the bytes beside the old file and then replaces it in one step, so a failed
// write never loses the settings already saved; a program that holds the old file is waited
// for about a second (desktop/FileReplace.h). Throws "Cannot create file %s".
void ReplaceConfigFile(const std::string& path, const std::string& bytes);

}  // namespace tarvell
