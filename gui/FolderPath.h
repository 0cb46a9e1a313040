// Entering folders the way the folder and file lists do: through the process's current
// folder, so that a bare name is taken relative to the folder entered last.
#pragma once

#include <string>
#include <vector>

namespace tarvell {

// Makes path the current folder and returns its full path as the system reports it
// ("C:\" for a root, no backslash at the end otherwise). Throws EInOutError when the folder
// cannot be entered; the current folder is then unchanged.
std::string EnterFolder(const std::string& path);

// The current folder of a drive ('c'), without entering it.
std::string DriveCurrentFolder(char drive);

// "C:\P\y" → {"C:\", "P", "y"}; a UNC root "\\srv\share" is one element.
std::vector<std::string> SplitFolderPath(const std::string& path);

// folder + "\" + name, without doubling a root's backslash.
std::string JoinFolder(const std::string& folder, const std::string& name);

// Whether two folder texts name the same folder text, ignoring case.
bool SameFolderText(const std::string& a, const std::string& b);

}  // namespace tarvell
