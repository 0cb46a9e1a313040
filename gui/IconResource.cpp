#include "gui/IconResource.h"

#include "base/Exception.h"
#include "base/WideText.h"
#include "gui/DpiAwareness.h"

#include <commctrl.h>

namespace tarvell {

SIZE IconMetricSize(TIconMetric metric) noexcept {
  TPerMonitorAwareScope aware;
  const bool isSmall = metric == TIconMetric::Small;
  return SIZE{::GetSystemMetrics(isSmall ? SM_CXSMICON : SM_CXICON),
              ::GetSystemMetrics(isSmall ? SM_CYSMICON : SM_CYICON)};
}

TIconHandle LoadIconResource(std::string_view name, TIconMetric metric) {
  if (name.empty()) return TIconHandle();
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  const std::wstring wide = Widen(name);
  TPerMonitorAwareScope aware;
  HICON loaded = nullptr;
  // Only the version 6 common controls have LoadIconMetric; without them the metric's size,
  // read in the same aware context, is the same.
  using TLoadIconMetric = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
  if (const auto loadMetric = reinterpret_cast<TLoadIconMetric>(
          reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"comctl32.dll"), "LoadIconMetric")))) {
    if (FAILED(loadMetric(module, wide.c_str(), metric == TIconMetric::Small ? LIM_SMALL : LIM_LARGE, &loaded)))
      loaded = nullptr;
  }
  if (!loaded) {
    const SIZE size = IconMetricSize(metric);
    loaded = static_cast<HICON>(::LoadImageW(module, wide.c_str(), IMAGE_ICON, size.cx, size.cy, 0));
  }
  TIconHandle icon(loaded);
  if (!icon) throw Exception("Cannot load the icon resource " + std::string(name));
  return icon;
}

std::string ProgramIconName() {
  std::wstring found;
  ::EnumResourceNamesW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR data) noexcept -> BOOL {
        // No exception may cross the system's frames: a failed copy just finds nothing.
        try {
          auto& out = *reinterpret_cast<std::wstring*>(data);
          out = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name);
        } catch (...) {}
        return FALSE;  // the first is the one
      },
      reinterpret_cast<LONG_PTR>(&found));
  return Narrow(found);
}

}  // namespace tarvell
