#include "base/WindowsCodePage.h"

#include "base/Utf8.h"
#include "base/WideText.h"

#include <windows.h>

#include <climits>

namespace tarvell {

namespace {

constexpr unsigned FallbackCodePage = 1252;

std::wstring WideFromCodePage(unsigned codePage, std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), n);
  return wide;
}

}  // namespace

TWindowsCodePage::TWindowsCodePage(unsigned codePage) noexcept : FCodePage(codePage) {}

std::optional<std::string> TWindowsCodePage::Encode(std::string_view utf8) const {
  if (utf8.empty()) return std::string();
  // A system that runs on UTF-8 itself: the text fits when it is UTF-8 (the flags below
  // are refused for this code page).
  if (FCodePage == CP_UTF8) return IsValidUtf8(utf8) ? std::optional<std::string>(utf8) : std::nullopt;
  const std::wstring wide = Widen(utf8);
  if (wide.size() > INT_MAX) return std::nullopt;
  const int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  const int n =
      ::WideCharToMultiByte(FCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(n), '\0');
  if (::WideCharToMultiByte(FCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), n, nullptr,
                            &usedDefault) != n ||
      usedDefault)
    return std::nullopt;
  if (WideFromCodePage(FCodePage, bytes) != wide) return std::nullopt;
  return bytes;
}

std::string TWindowsCodePage::Decode(std::string_view bytes) const {
  return Narrow(WideFromCodePage(FCodePage, bytes));
}

unsigned SystemAnsiCodePage() noexcept {
  DWORD codePage = 0;
  // Locales written only in Unicode report 0: earlier versions then ran on 1252 as well.
  if (::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)) == 0 ||
      codePage == 0)
    return FallbackCodePage;
  return codePage;
}

const ILegacyCodePage& SystemLegacyCodePage() {
  static const TWindowsCodePage codePage(SystemAnsiCodePage());
  return codePage;
}

}  // namespace tarvell
