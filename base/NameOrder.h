#pragma once
// The order of names in the folder and file lists: by name ignoring the case of every letter
// (base/CaseFold.h), character by character; no locale's collation. Names that differ only
// in case (possible on case-sensitive file systems) follow byte order, so the order never
// depends on the order the system reported them in.

#include <string_view>

namespace tarvell {

// Negative, zero or positive, as a three-way comparison.
int CompareNamesIgnoringCase(std::string_view a, std::string_view b);

inline bool NameLess(std::string_view a, std::string_view b) { return CompareNamesIgnoringCase(a, b) < 0; }

}  // namespace tarvell
