#include "base/WideText.h"

#include "base/NativePath.h"
#include "base/Utf8.h"

#include <cwchar>

namespace tarvell {

// Windows' wide characters are UTF-16 units; elsewhere each unit still fits a wchar_t, so the
// conversions build and are tested natively too.
static_assert(sizeof(wchar_t) >= sizeof(char16_t), "a UTF-16 unit fits a wide character");

std::wstring Widen(std::string_view text) {
  const std::u16string wide = Utf16FromUtf8(text);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view text) { return Utf8FromUtf16(std::u16string(text.begin(), text.end())); }

std::string Narrow(const wchar_t* text) {
  return text ? Narrow(std::wstring_view(text, std::wcslen(text))) : std::string();
}

std::wstring WidePath(std::string_view path) {
  const std::u16string wide = NativePathUtf16(path);
  return std::wstring(wide.begin(), wide.end());
}

}  // namespace tarvell
