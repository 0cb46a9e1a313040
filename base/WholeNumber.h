#pragma once
// Whole numbers in decimal text, as the settings file and the period field hold them.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvell {

// An optional sign, then digits, and nothing else; it must fit in 32 bits.
std::optional<std::int32_t> ParseWholeNumber(std::string_view text);

}  // namespace tarvell
