// The colours of the desktop icons' captions. The desktop's icon view is the shell's list
// view; where no such view exists (another shell, Wine's desktop) both calls do nothing.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarvell {

// Window-system colour values, 0x00BBGGRR.
inline constexpr std::uint32_t CaptionTextWhite = 0xFFFFFF;
inline constexpr std::uint32_t CaptionBackgroundBlack = 0x000000;

// The desktop's icon view: "Progman"/"Program Manager" > "SHELLDLL_DefView" > "SysListView32";
// null when the chain is incomplete.
HWND FindDesktopIconView() noexcept;

// Sets the caption text colour and the caption background (CLR_NONE, drawn as transparent,
// when transparent is true), then has every icon redrawn at once.
void SetDesktopIconTextColors(std::uint32_t textColor, std::uint32_t textBkColor, bool transparent) noexcept;

// Sets the desktop background's system colour to its own value: the colour stays, but the
// system-wide colour change makes the desktop repaint its icons in their default colours.
void RestoreDesktopIconTextColors() noexcept;

}  // namespace tarvell
