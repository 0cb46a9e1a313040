// The program's version, shared by the code and the version block of the resource script.
#pragma once

#define TARVELL_VERSION_MAJOR 2
#define TARVELL_VERSION_MINOR 1
#define TARVELL_VERSION_TEXT "2.1"
#define TARVELL_VERSION_TITLE "Tarvell ver. " TARVELL_VERSION_TEXT

#ifndef RC_INVOKED
namespace tarvell {
// Shown in window captions, the About window and the installation questions.
inline constexpr const char VersionTitle[] = TARVELL_VERSION_TITLE;
}  // namespace tarvell
#endif
