// The desktop wallpaper: the bitmap file it is shown from, and the setting itself.
#pragma once

#include "base/DefaultInitAllocator.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvell {

class TPicture;

// Sets the wallpaper to the bitmap file at path ("" clears it), then has every visible
// top-level window of this process repainted whole, once: under Wine the desktop's repaint
// covers them and does not give them back.
void SetDesktopWallpaper(const std::string& path);

// Whether the desktop shows the wallpaper file at path (letter case aside): false once the
// user or another program has set a wallpaper of their own. True when the system cannot say,
// so that a failed query never keeps the program's own wallpaper from being renewed.
bool DesktopShowsWallpaper(const std::string& path);

// Writes the picture's bitmap beside path and then puts it in path's place in one step, so
// the system never reads a half-written wallpaper and a full disk keeps the old one; a program
// that holds the old file is waited for about a second (desktop/FileReplace.h). Writes
// nothing when the picture is empty. Throws EFCreateError "Cannot create file <path>" or
// EWriteError "Stream write error"; the old file stays and no temporary file is left.
void WriteWallpaperFile(const TPicture& picture, const std::string& path);

// The same for a bitmap file image already in memory (one composed for several monitors).
void WriteWallpaperBytes(const std::vector<std::uint8_t, TDefaultInitAllocator<std::uint8_t>>& bmp,
                         const std::string& path);

}  // namespace tarvell
