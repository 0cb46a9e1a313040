#include "base/WholeNumber.h"

#include <limits>

namespace tarvell {

std::optional<std::int32_t> ParseWholeNumber(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  if (pos == text.size()) return std::nullopt;
  // Accumulate as a negative number so that the lowest 32-bit value fits too.
  constexpr std::int64_t Lowest = std::numeric_limits<std::int32_t>::min();
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 - (c - '0');
    if (value < Lowest) return std::nullopt;
  }
  if (!negative) {
    value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace tarvell
