#include "gui/IconResource.h"

#include "base/Exception.h"
#include "base/WideText.h"
#include "gui/DpiAwareness.h"

namespace tarvell {

SIZE IconMetricSize(TIconMetric metric) noexcept {
  TPerMonitorAwareScope aware;
  const bool isSmall = metric == TIconMetric::Small;
  return SIZE{::GetSystemMetrics(isSmall ? SM_CXSMICON : SM_CXICON),
              ::GetSystemMetrics(isSmall ? SM_CYSMICON : SM_CYICON)};
}

TIconHandle LoadIconResource(std::string_view name, TIconMetric metric) {
  if (name.empty()) return TIconHandle();
  const SIZE size = IconMetricSize(metric);
  TIconHandle icon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), Widen(name).c_str(), IMAGE_ICON, size.cx, size.cy, 0)));
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
