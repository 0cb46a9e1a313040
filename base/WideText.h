// The program's UTF-8 text to and from the UTF-16 that the wide Windows calls take.
#pragma once

#include <string>
#include <string_view>

namespace tarvell {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
// A zero-terminated wide string, such as a fixed buffer a call filled.
std::string Narrow(const wchar_t* text);

// A path for the wide file calls: its UTF-16, an absolute one in its exact "\\?\" form
// (base/NativePath.h), so long paths and names ending in a dot or a space reach the file itself.
std::wstring WidePath(std::string_view path);

}  // namespace tarvell
