#include "desktop/MonitorLayout.h"

namespace tarvell {

namespace {

struct TEnumState {
  const TMonitorApi* Api;
  bool ByDisplayMode;
  std::vector<RECT>* Monitors;
};

// The monitor's display mode as a rectangle, when the system gives one.
bool ReadDisplayMode(const TMonitorApi& api, const wchar_t* device, RECT& r) noexcept {
  if (!api.EnumDisplaySettingsW) return false;
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  const DWORD needed = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
  if (!api.EnumDisplaySettingsW(device, ENUM_CURRENT_SETTINGS, &mode) || (mode.dmFields & needed) != needed ||
      mode.dmPelsWidth == 0 || mode.dmPelsHeight == 0)
    return false;
  r = {mode.dmPosition.x, mode.dmPosition.y, mode.dmPosition.x + static_cast<LONG>(mode.dmPelsWidth),
       mode.dmPosition.y + static_cast<LONG>(mode.dmPelsHeight)};
  return true;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
  auto& state = *reinterpret_cast<TEnumState*>(data);
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (state.Api->GetMonitorInfoW(monitor, reinterpret_cast<MONITORINFO*>(&info))) {
    RECT r = info.rcMonitor;
    if (state.ByDisplayMode && !ReadDisplayMode(*state.Api, info.szDevice, r)) r = info.rcMonitor;
    try {
      state.Monitors->push_back(r);
    } catch (...) {
      return FALSE;  // out of memory: no exception may cross the system's frames
    }
  }
  return TRUE;
}

}  // namespace

const TMonitorApi& SystemMonitorApi() {
  static const TMonitorApi api = [] {
    TMonitorApi a;
    a.SetThreadDpiAwarenessContext = SystemSetThreadDpiContext();
    a.EnumDisplayMonitors = &::EnumDisplayMonitors;
    a.GetMonitorInfoW = &::GetMonitorInfoW;
    a.GetSystemMetrics = &::GetSystemMetrics;
    a.EnumDisplaySettingsW = &::EnumDisplaySettingsW;
    return a;
  }();
  return api;
}

TMonitorLayout ReadMonitorLayout(const TMonitorApi& api) {
  TPerMonitorAwareScope aware(api.SetThreadDpiAwarenessContext);
  TMonitorLayout layout;
  TEnumState state{&api, api.SetThreadDpiAwarenessContext == nullptr, &layout.Monitors};
  api.EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&state));
  if (layout.Monitors.empty()) {
    const int left = api.GetSystemMetrics(SM_XVIRTUALSCREEN), top = api.GetSystemMetrics(SM_YVIRTUALSCREEN);
    layout.VirtualScreen = {left, top, left + api.GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            top + api.GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return layout;
  }
  layout.VirtualScreen = layout.Monitors.front();
  for (const RECT& r : layout.Monitors) ::UnionRect(&layout.VirtualScreen, &layout.VirtualScreen, &r);
  return layout;
}

}  // namespace tarvell
