// A path of the program's UTF-8 text as the standard library's file calls take it. On Windows
// the text is read as UTF-8 (not in the process's code page) and a long path takes its
// extended-length form, so names in any script and paths past 260 characters open.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvell {

std::filesystem::path NativePath(std::string_view path);

// The UTF-16 text of NativePath, for the wide Windows calls of the core's Windows files.
std::u16string NativePathUtf16(std::string_view path);

}  // namespace tarvell
