// How a footprint report is asked for and what it holds, shared by the program's probe
// (app/FootprintProbe.h) and the minimal tray program the footprint report compares it with.
//
// Started with --footprint-probe=FILE, a process keeps a message-only window of class
// FootprintProbeClass. Sent FootprintProbeAsk, that window counts (app/FootprintCounts.h) and
// writes the figures to FILE, one "name value" line each: private_bytes, gdi_objects,
// user_objects, handles. It answers 1 once the file is written, 0 when it could not be.
#pragma once

#include "app/FootprintCounts.h"

#include <windows.h>

#include <string>

namespace tarvell {

inline constexpr char FootprintProbeSwitch[] = "--footprint-probe=";
inline constexpr char FootprintProbeClass[] = "TTarvellFootprintProbe";
inline constexpr UINT FootprintProbeAsk = WM_APP + 0x13;

// The FILE of the switch in a command line, or empty when the switch is not there.
std::wstring FootprintProbeFile(const wchar_t* commandLine);

// Writes the counts as the report's lines; false when the file cannot be written whole.
bool WriteFootprintReport(const std::wstring& file, const TFootprintCounts& counts) noexcept;

}  // namespace tarvell
