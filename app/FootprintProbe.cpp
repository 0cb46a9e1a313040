#include "app/FootprintProbe.h"

#include "app/FootprintCounts.h"

#include <utility>

namespace tarvell {

TFootprintProbe::TFootprintProbe(std::wstring file) : FFile(std::move(file)) {
  RegisterWndClass(FootprintProbeClass, 0);
  TWndCreateParams params;
  params.ClassName = FootprintProbeClass;
  params.Parent = HWND_MESSAGE;
  CreateHandle(params);
}

bool TFootprintProbe::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != FootprintProbeAsk) return false;
  // Counted before the file is opened, so its handle is not in the count.
  result = WriteFootprintReport(FFile, CountFootprint(Handle())) ? 1 : 0;
  return true;
}

void StartFootprintProbe() noexcept {
  try {
    std::wstring file = FootprintProbeFile(::GetCommandLineW());
    if (file.empty()) return;
    // Lives as long as the program: the harness asks until the end.
    static TFootprintProbe probe(std::move(file));
  } catch (...) {
    // No probe: the harness finds no window to ask and says so.
  }
}

}  // namespace tarvell
