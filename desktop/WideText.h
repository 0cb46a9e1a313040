// ANSI text (the program's file names) to UTF-16 for the calls that only take wide strings.
#pragma once

#include <string>

namespace tarvell {

// The whole text, in the system's ANSI code page: a path cut to a fixed length would name
// another file.
std::wstring Widen(const std::string& text);

}  // namespace tarvell
