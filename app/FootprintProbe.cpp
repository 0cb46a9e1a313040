#include "app/FootprintProbe.h"

#include "app/FootprintCounts.h"
#include "base/WideText.h"

#include <shellapi.h>

#include <memory>
#include <string_view>

namespace tarvell {

namespace {

struct TLocalFree {
  void operator()(wchar_t** args) const noexcept { ::LocalFree(args); }
};

bool WriteCounts(const std::wstring& file, const TFootprintCounts& counts) noexcept {
  const std::string text = "private_bytes " + std::to_string(counts.PrivateBytes) + "\r\ngdi_objects " +
                           std::to_string(counts.GdiObjects) + "\r\nuser_objects " +
                           std::to_string(counts.UserObjects) + "\r\nhandles " + std::to_string(counts.Handles) +
                           "\r\n";
  TKernelHandle out(
      ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return false;
  DWORD written = 0;
  return ::WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace

std::wstring FootprintProbeFile(const wchar_t* commandLine) {
  int count = 0;
  std::unique_ptr<wchar_t*, TLocalFree> args(::CommandLineToArgvW(commandLine, &count));
  if (!args) return {};
  const std::wstring prefix = Widen(FootprintProbeSwitch);
  // The first argument is the program itself.
  for (int i = 1; i < count; ++i) {
    const std::wstring_view arg(args.get()[i]);
    if (arg.size() > prefix.size() && arg.substr(0, prefix.size()) == prefix)
      return std::wstring(arg.substr(prefix.size()));
  }
  return {};
}

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
  result = WriteCounts(FFile, CountFootprint(Handle())) ? 1 : 0;
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
