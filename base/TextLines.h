// The lines of a small UTF-8 text file that a user may have edited by hand.
#pragma once

#include <string_view>
#include <vector>

namespace tarvell {

// The lines of `text` without their ends: CR LF, a lone CR and a lone LF each end a line, and
// a break at the very end starts no further line. A UTF-8 byte-order mark at the start (which
// some editors put there) is dropped.
std::vector<std::string_view> TextLines(std::string_view text);

}  // namespace tarvell
