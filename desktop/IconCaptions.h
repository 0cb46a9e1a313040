// The colours of the desktop icons' captions. The desktop's icon view is the shell's list
// view; where no such view exists (another shell, Wine's desktop) both calls do nothing.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarvell {

// Window-system colour values, 0x00BBGGRR.
inline constexpr std::uint32_t CaptionTextWhite = 0xFFFFFF;
inline constexpr std::uint32_t CaptionBackgroundBlack = 0x000000;

// The desktop's icon view: "SysListView32" in "SHELLDLL_DefView" in "Progman" or, failing that,
// in one of the top-level "WorkerW" windows; all found by class. Null when there is none.
HWND FindDesktopIconView() noexcept;

// Sets the caption text colour and the caption background (CLR_NONE, drawn as transparent,
// when transparent is true), then has every icon redrawn at once.
void SetDesktopIconTextColors(std::uint32_t textColor, std::uint32_t textBkColor, bool transparent) noexcept;

// Sets the desktop background's system colour to its own value: the colour stays, but the
// system-wide colour change makes the desktop repaint its icons in their default colours.
void RestoreDesktopIconTextColors() noexcept;

// Whether SetDesktopIconTextColors reached an icon view since the colours were last given
// back: only then has the way out anything to give back (the restore is a broadcast to
// every window of the desktop).
bool DesktopIconTextColorsChanged() noexcept;

}  // namespace tarvell
