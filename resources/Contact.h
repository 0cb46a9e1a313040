// Where users reach the product: its web page and the support mail address.
// Both are shown in the About window and named at the end of the help text; change them here.
#pragma once

#define TARVELL_WEB_ADDRESS "https://tarvell.example.org"
#define TARVELL_SUPPORT_MAIL "support@tarvell.example.org"

#ifndef RC_INVOKED
namespace tarvell {
inline constexpr const char WebAddress[] = TARVELL_WEB_ADDRESS;
inline constexpr const char SupportMail[] = TARVELL_SUPPORT_MAIL;
// The About window's mail link opens the user's mail program with this address.
inline constexpr const char SupportMailLink[] = "mailto:" TARVELL_SUPPORT_MAIL;
}  // namespace tarvell
#endif
