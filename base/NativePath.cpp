#include "base/NativePath.h"

#include "base/PathText.h"
#include "base/Utf8.h"

namespace tarvell {

namespace {

std::string ForThisSystem(std::string_view path) {
#ifdef _WIN32
  return ExtendedLengthPath(path);
#else
  return std::string(path);
#endif
}

}  // namespace

std::filesystem::path NativePath(std::string_view path) {
  const std::string text = ForThisSystem(path);
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::u16string NativePathUtf16(std::string_view path) { return Utf16FromUtf8(ForThisSystem(path)); }

}  // namespace tarvell
