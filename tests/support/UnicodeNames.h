// File names outside every legacy code page, written as UTF-16 so that what a window gives
// back is compared with text that none of the program's conversions produced.
#pragma once

#include "base/WideText.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tarvell::test {

inline const std::vector<std::wstring>& UnicodeNames() {
  static const std::vector<std::wstring> names{L"東京タワー.jpg", L"Ωmega ☕.jpg", L"café.jpg", L"\U0001F600.jpg"};
  return names;
}

inline const wchar_t* const GreekFolder = L"Ελλάδα";

// The names as the program holds them: UTF-8.
inline std::vector<std::string> Utf8Names(const std::vector<std::wstring>& names) {
  std::vector<std::string> out;
  for (const std::wstring& name : names) out.push_back(Narrow(name));
  return out;
}

// What a list box window holds at an index, read through the wide messages.
inline std::wstring ListText(HWND list, int index) {
  const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return L"<none>";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT got =
      ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
  return text;
}

}  // namespace tarvell::test
