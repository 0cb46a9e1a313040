// The legacy code page codec on Windows, and the system's own legacy ("ANSI") code page.
#pragma once

#include "base/LegacyCodePage.h"

namespace tarvell {

class TWindowsCodePage final : public ILegacyCodePage {
public:
  explicit TWindowsCodePage(unsigned codePage) noexcept;

  unsigned Number() const noexcept { return FCodePage; }

  // Nothing also when Windows would put a look-alike ("a" for "ā") or its default
  // character in, or when the bytes would not convert back to the same text.
  std::optional<std::string> Encode(std::string_view utf8) const override;
  std::string Decode(std::string_view bytes) const override;

private:
  unsigned FCodePage;
};

// The ANSI code page of the system's locale, as the system reports it; 1252 when it says
// none. Not GetACP(): the program's manifest makes its own process's code page UTF-8.
unsigned SystemAnsiCodePage() noexcept;

// The codec of SystemAnsiCodePage(), made on first use.
const ILegacyCodePage& SystemLegacyCodePage();

}  // namespace tarvell
