// Entering folders the way the folder and file lists do: a bare name is taken relative to the
// folder entered last. That folder is kept here, not as the process's current folder, which
// cannot hold a path longer than 260 characters; the process's current folder never moves.
#pragma once

#include <string>
#include <vector>

namespace tarvell {

// Makes path the folder entered last and returns its full path ("C:\" for a root, no
// backslash at the end otherwise). Throws EInOutError when the folder cannot be entered; the
// folder entered last is then unchanged.
std::string EnterFolder(const std::string& path);

// The folder entered last; before any, the process's current folder.
std::string EnteredFolder();

// Enters the folder entered last again, or the process's current folder when that one has
// gone meanwhile, and returns it; where a new folder list starts.
std::string EnterLastFolder();

// The current folder of a drive ('c'), without entering it: the folder entered last when it
// is on that drive, otherwise the drive's current folder as the system keeps it.
std::string DriveCurrentFolder(char drive);

// "C:\P\y" → {"C:\", "P", "y"}; a UNC root "\\srv\share" is one element.
std::vector<std::string> SplitFolderPath(const std::string& path);

}  // namespace tarvell
