// A test-only answer to "what does the program cost the system now?", read inside its own
// process where Wine reports nothing from outside.
//
// Started with --footprint-probe=FILE, the program keeps a message-only window of class
// FootprintProbeClass. Sent FootprintProbeAsk, that window counts (app/FootprintCounts.h)
// and writes the figures to FILE, one "name value" line each: private_bytes, gdi_objects,
// user_objects, handles. It answers 1 once the file is written, 0 when it could not be.
// Its own window is left out of the count. Without the switch nothing is created.
#pragma once

#include "gui/Wnd.h"

#include <windows.h>

#include <string>

namespace tarvell {

inline constexpr char FootprintProbeSwitch[] = "--footprint-probe=";
inline constexpr char FootprintProbeClass[] = "TTarvellFootprintProbe";
inline constexpr UINT FootprintProbeAsk = WM_APP + 0x13;

// The FILE of the switch in a command line, or empty when the switch is not there.
std::wstring FootprintProbeFile(const wchar_t* commandLine);

class TFootprintProbe : public TWnd {
public:
  // Creates the window; throws when it cannot be created.
  explicit TFootprintProbe(std::wstring file);
  ~TFootprintProbe() override { DestroyHandle(); }

protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
  std::wstring FFile;
};

// Starts the probe when the command line asks for it. A probe that cannot start leaves the
// program as it is.
void StartFootprintProbe() noexcept;

}  // namespace tarvell
