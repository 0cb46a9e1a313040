#pragma once
// The product's web page and support mail address, shown in the About window and named
// in the help text. Placeholders: change them here to publish the program.

#include <string_view>

namespace tarvell {

inline constexpr std::string_view ProductWebPage = "https://tarvell.example/";
inline constexpr std::string_view SupportMailAddress = "support@tarvell.example";
inline constexpr std::string_view SupportMailLink = "mailto:support@tarvell.example";

}  // namespace tarvell
