#include "desktop/MonitorLayout.h"

namespace tarvell {

namespace {

struct TEnumState {
  const TMonitorApi* Api;
  std::vector<RECT>* Monitors;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) noexcept {
  auto& state = *reinterpret_cast<TEnumState*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (state.Api->GetMonitorInfoW(monitor, &info)) {
    try {
      state.Monitors->push_back(info.rcMonitor);
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
    return a;
  }();
  return api;
}

TMonitorLayout ReadMonitorLayout(const TMonitorApi& api) {
  TPerMonitorAwareScope aware(api.SetThreadDpiAwarenessContext);
  TMonitorLayout layout;
  TEnumState state{&api, &layout.Monitors};
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
