#include "app/FootprintReport.h"

#include "gui/Handles.h"

#include <shellapi.h>

#include <iterator>
#include <memory>
#include <string_view>

namespace tarvell {

namespace {

struct TLocalFree {
  void operator()(wchar_t** args) const noexcept { ::LocalFree(args); }
};

}  // namespace

std::wstring FootprintProbeFile(const wchar_t* commandLine) {
  int count = 0;
  std::unique_ptr<wchar_t*, TLocalFree> args(::CommandLineToArgvW(commandLine, &count));
  if (!args) return {};
  // The switch is ASCII: each of its bytes is its UTF-16 unit.
  const std::wstring prefix(std::begin(FootprintProbeSwitch), std::end(FootprintProbeSwitch) - 1);
  // The first argument is the program itself.
  for (int i = 1; i < count; ++i) {
    const std::wstring_view arg(args.get()[i]);
    if (arg.size() > prefix.size() && arg.substr(0, prefix.size()) == prefix)
      return std::wstring(arg.substr(prefix.size()));
  }
  return {};
}

bool WriteFootprintReport(const std::wstring& file, const TFootprintCounts& counts) noexcept {
  try {
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
  } catch (...) {
    // Out of memory for a few dozen bytes: no report.
    return false;
  }
}

}  // namespace tarvell
