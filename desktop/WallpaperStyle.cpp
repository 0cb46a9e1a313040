#include "desktop/WallpaperStyle.h"

#include "base/WideText.h"
#include "desktop/MonitorLayout.h"

#include <cwchar>
#include <optional>
#include <string>

namespace tarvell {

namespace {

// A REG_SZ value; nothing when the key or value is missing, of another type, or too long
// to be one of the short numbers the desktop writes.
std::optional<std::string> ReadString(HKEY root, const char* keyPath, const char* name) {
  wchar_t data[32] = {};
  DWORD size = sizeof data;
  if (::RegGetValueW(root, Widen(keyPath).c_str(), Widen(name).c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return Narrow(data);
}

}  // namespace

TWallpaperFit ReadWallpaperFit(HKEY root, const char* keyPath) {
  const std::optional<std::string> style = ReadString(root, keyPath, "WallpaperStyle");
  const std::optional<std::string> tile = ReadString(root, keyPath, "TileWallpaper");
  TWallpaperFit fit;
  fit.Style = WallpaperStyleFromSettings(style ? std::optional<std::string_view>(*style) : std::nullopt,
                                         tile ? std::optional<std::string_view>(*tile) : std::nullopt);
  // In physical pixels: on a scaled screen the decode would otherwise be too small and blurred.
  const RECT screen = ReadMonitorLayout().VirtualScreen;
  fit.ScreenWidth = screen.right - screen.left;
  fit.ScreenHeight = screen.bottom - screen.top;
  // What shows around and through the wallpaper: a picture's transparent parts are composed over it.
  const COLORREF desktop = ::GetSysColor(COLOR_DESKTOP);
  fit.Background = {GetRValue(desktop), GetGValue(desktop), GetBValue(desktop)};
  return fit;
}

TVirtualScreenMode VirtualScreenModeFor(unsigned major, unsigned minor) noexcept {
  return major > 6 || (major == 6 && minor >= 2) ? TVirtualScreenMode::Span : TVirtualScreenMode::Tile;
}

TVirtualScreenMode SystemVirtualScreenMode() {
  // VerifyVersionInfo, unlike GetVersionEx, answers "at least 6.2" truly without a manifest entry.
  OSVERSIONINFOEXW wanted{};
  wanted.dwOSVersionInfoSize = sizeof wanted;
  wanted.dwMajorVersion = 6;
  wanted.dwMinorVersion = 2;
  const DWORDLONG mask =
      ::VerSetConditionMask(::VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL), VER_MINORVERSION,
                            VER_GREATER_EQUAL);
  return ::VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION, mask) ? TVirtualScreenMode::Span
                                                                                  : TVirtualScreenMode::Tile;
}

namespace {

bool WriteStyleValues(HKEY root, const char* keyPath, const wchar_t* style, const wchar_t* tile) {
  auto write = [&](const wchar_t* name, const wchar_t* value) {
    const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
    return ::RegSetKeyValueW(root, Widen(keyPath).c_str(), name, REG_SZ, value, bytes) == ERROR_SUCCESS;
  };
  const bool styleWritten = write(L"WallpaperStyle", style);
  const bool tileWritten = write(L"TileWallpaper", tile);
  return styleWritten && tileWritten;
}

}  // namespace

bool WriteVirtualScreenStyle(TVirtualScreenMode mode, HKEY root, const char* keyPath) {
  return WriteWallpaperStyle(mode == TVirtualScreenMode::Span ? TWallpaperStyle::Span : TWallpaperStyle::Tile, root,
                             keyPath);
}

bool WriteWallpaperStyle(TWallpaperStyle style, HKEY root, const char* keyPath) {
  switch (style) {
    case TWallpaperStyle::Center:
      return WriteStyleValues(root, keyPath, L"0", L"0");
    case TWallpaperStyle::Tile:
      return WriteStyleValues(root, keyPath, L"0", L"1");
    case TWallpaperStyle::Stretch:
      return WriteStyleValues(root, keyPath, L"2", L"0");
    case TWallpaperStyle::Fit:
      return WriteStyleValues(root, keyPath, L"6", L"0");
    case TWallpaperStyle::Fill:
      return WriteStyleValues(root, keyPath, L"10", L"0");
    case TWallpaperStyle::Span:
      return WriteStyleValues(root, keyPath, L"22", L"0");
    case TWallpaperStyle::None:
      break;
  }
  return true;  // no setting of the user's to put back
}

TStyleValues ReadStyleValues(HKEY root, const char* keyPath) {
  return {ReadString(root, keyPath, "WallpaperStyle"), ReadString(root, keyPath, "TileWallpaper")};
}

bool PutBackStyleValues(const TStyleValues& values, HKEY root, const char* keyPath) {
  const std::wstring key = Widen(keyPath);
  auto putBack = [&](const wchar_t* name, const std::optional<std::string>& value) {
    if (!value) {
      const LSTATUS deleted = ::RegDeleteKeyValueW(root, key.c_str(), name);
      return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
    }
    const std::wstring text = Widen(*value);
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return ::RegSetKeyValueW(root, key.c_str(), name, REG_SZ, text.c_str(), bytes) == ERROR_SUCCESS;
  };
  const bool stylePut = putBack(L"WallpaperStyle", values.WallpaperStyle);
  const bool tilePut = putBack(L"TileWallpaper", values.TileWallpaper);
  return stylePut && tilePut;
}

TWallpaperFit ReadWallpaperFit() { return ReadWallpaperFit(HKEY_CURRENT_USER, DesktopSettingsKey); }

}  // namespace tarvell
