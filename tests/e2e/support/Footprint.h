// What a running Tarvell.exe costs the system: private bytes, GDI and USER objects, kernel
// handles. Read inside its own process through the footprint probe (app/FootprintProbe.h),
// because Wine answers the object and handle counts of another process with 0. Shared by the
// end-to-end tests and the footprint report.
#pragma once

#include "app/FootprintProbe.h"
#include "tests/e2e/support/Driver.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

namespace tarvell::e2e {

struct TFootprint {
  std::uint64_t PrivateBytes = 0;
  DWORD GdiObjects = 0;
  DWORD UserObjects = 0;
  DWORD Handles = 0;

  bool operator==(const TFootprint&) const = default;
};

// The file this harness has the probe write to, one per harness process.
inline std::string FootprintFile() {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH + 1, folder);
  return std::string(folder) + "tarvell-footprint-" + std::to_string(GetCurrentProcessId()) + ".txt";
}

// What Tarvell.exe's command line needs for its probe to answer.
inline std::string FootprintSwitch() { return "\"" + std::string(FootprintProbeSwitch) + FootprintFile() + "\""; }

inline HWND FindFootprintProbe(DWORD pid) {
  for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, FootprintProbeClass, nullptr)) != nullptr;)
    if (WindowProcess(w) == pid) return w;
  return nullptr;
}

// Asks the probe of the process for its figures; nothing when it did not answer in time.
inline std::optional<TFootprint> ReadFootprint(DWORD pid, DWORD timeoutMs = 30000) {
  HWND probe = nullptr;
  if (!WaitUntil([&] { return (probe = FindFootprintProbe(pid)) != nullptr; }, timeoutMs)) return std::nullopt;
  const std::string file = FootprintFile();
  DeleteFileA(file.c_str());
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(probe, FootprintProbeAsk, 0, 0, SMTO_NORMAL, timeoutMs, &answer) || answer != 1)
    return std::nullopt;
  std::istringstream lines(ReadWholeFile(file).value_or(""));
  TFootprint f;
  int found = 0;
  std::string name;
  std::uint64_t value = 0;
  while (lines >> name >> value) {
    if (name == "private_bytes")
      f.PrivateBytes = value;
    else if (name == "gdi_objects")
      f.GdiObjects = static_cast<DWORD>(value);
    else if (name == "user_objects")
      f.UserObjects = static_cast<DWORD>(value);
    else if (name == "handles")
      f.Handles = static_cast<DWORD>(value);
    else
      continue;
    ++found;
  }
  DeleteFileA(file.c_str());
  if (found != 4) return std::nullopt;
  return f;
}

inline double Megabytes(std::uint64_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace tarvell::e2e
