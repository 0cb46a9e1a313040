// File names outside every legacy code page, written as UTF-16 so that what a window gives
// back is compared with text that none of the program's conversions produced.
#pragma once

#include "base/WideText.h"

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

}  // namespace tarvell::test
