// Puts text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace tarvell {

// Replaces the clipboard's content with `text` (UTF-8) as CF_UNICODETEXT; `owner` is the
// window that holds the clipboard while it is written. False when the clipboard is held by
// another program or memory ran out.
bool CopyTextToClipboard(HWND owner, const std::string& text) noexcept;

}  // namespace tarvell
