// The system's legacy 8-bit ("ANSI") code page as a codec, so the platform-free settings
// format can write and read the text the way earlier versions did. Windows' own
// implementation is in WindowsCodePage.h; the tests bring one for code page 1252.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvell {

class ILegacyCodePage {
public:
  virtual ~ILegacyCodePage() = default;

  // The code page's bytes for UTF-8 `utf8`, or nothing when not every character has its
  // own byte sequence there (no look-alike stands in for a character).
  virtual std::optional<std::string> Encode(std::string_view utf8) const = 0;

  // The UTF-8 text of bytes in the code page.
  virtual std::string Decode(std::string_view bytes) const = 0;

protected:
  ILegacyCodePage() = default;
  ILegacyCodePage(const ILegacyCodePage&) = default;
  ILegacyCodePage& operator=(const ILegacyCodePage&) = default;
};

}  // namespace tarvell
