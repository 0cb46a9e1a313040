#pragma once
// The product's web page and support mail address, shown in the About window and named
// in the help text. The placeholders themselves are in resources/Contact.h.

#include <string_view>

#include "resources/Contact.h"

namespace tarvell {

inline constexpr std::string_view ProductWebPage = TARVELL_WEB_ADDRESS;
inline constexpr std::string_view SupportMailAddress = TARVELL_SUPPORT_MAIL;
inline constexpr std::string_view SupportMailLink = "mailto:" TARVELL_SUPPORT_MAIL;

}  // namespace tarvell
