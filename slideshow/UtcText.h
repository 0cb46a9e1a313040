#pragma once
// A moment in the settings file: "YYYY-MM-DDThh:mm:ssZ", UTC, counted in seconds since
// 1970-01-01 00:00 UTC. Written and read here, without the C library's time zone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvell {

std::string UtcText(std::int64_t utcSeconds);

// Exactly the form UtcText writes, years 1970 to 9999; a field out of range (month 13,
// February 30, 24:00:00, a leap second) reads as nothing.
std::optional<std::int64_t> ParseUtcText(std::string_view text);

}  // namespace tarvell
