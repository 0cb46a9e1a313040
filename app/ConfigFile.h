#pragma once
// The settings file "Tarvell.cfg": text lines by position, no keys, CR LF.
//
//   1 period text (whole number 0..1000)   7 Transparent  ("1"/"0")
//   2 picture folder                       8 Startup      ("1"/"0")
//   3 Subfolders  ("1"/"0")                9 Once         ("1"/"0")
//   4 Random      ("1"/"0")               10 SecondsMode  ("1" seconds, "0" any other unit)
//   5 CurrentIndex (decimal, 0-based)     11 the hot keys' modifier flags (HotKeyChoices)
//   6 Sound       ("1"/"0")                12 PerMonitor   ("1"/"0", each monitor its own picture)
//  13 MonitorStyle (the user's wallpaper style that pictures for each monitor replaced, as the
//     desktop's WallpaperStyle and TileWallpaper values: "10,0" Fill, "0,1" Tile; a field left
//     empty is a value the desktop did not have, "," neither; an empty line: none replaced)
//  14 Paused       ("1" the slideshow is paused, "0": running)
//  15 LastChange   (when the running period began, "YYYY-MM-DDThh:mm:ssZ" in UTC; empty: unknown)
//  16 Unit         ("s", "m", "h" or "d"; line 10 keeps what earlier versions read)
//  17 to 20        (kept for further folders, orientation, minimum size and blurred edges;
//                   written empty, not read yet)
//  21 OnTheClock   ("1" changes at whole multiples of the period on the local clock, "0")
//
// Earlier versions wrote ten lines in the system's legacy 8-bit code page and ignore any
// line after the tenth, so line 11, which this version always writes, also marks a file as
// this version's. A file without it is read wholly in the code page. In a marked file a
// line that is UTF-8 (lone surrogates as Utf8FromUtf16 writes them included) and holds a
// byte above 0x7F is taken as UTF-8, any other in the code page. The writer keeps a line in
// the code page when its text fits it, which is byte for byte what earlier versions wrote,
// else writes it in UTF-8; it takes UTF-8 also for a text whose code page bytes would read
// as UTF-8 ("Ã©" in code page 1252 is "é" in UTF-8). A UTF-8 byte-order mark at the start
// is dropped, and says that the lines are read as in a marked file.
//
// Only the bytes are handled here; opening, replacing and reporting are the caller's.

#include "base/LegacyCodePage.h"
#include "base/WholeNumber.h"
#include "components/HotKeyChoice.h"
#include "wallpaper/StyleValues.h"
#include "slideshow/Countdown.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvell {

inline constexpr std::string_view DefaultPeriodText = "5";
inline constexpr std::string_view DefaultStartFolder = "C:\\";

// The values a run starts with when there is no file.
struct TSettings {
  std::string PeriodText{DefaultPeriodText};  // text of the period field
  std::string StartFolder{DefaultStartFolder};
  bool Subfolders = false;
  bool Random = false;
  std::int32_t CurrentIndex = 0;
  bool Sound = false;
  bool Transparent = true;
  bool Startup = false;
  bool Once = false;
  TPeriodUnit Unit = TPeriodUnit::Minutes;
  unsigned HotKeyFlags = DefaultHotKeyFlags;  // one of HotKeyChoices
  bool PerMonitor = false;                    // each monitor its own picture
  // The values that Span or Tile replaced, to put back when a single picture follows, also
  // after a restart. Nothing: nothing replaced.
  std::optional<TStyleValues> MonitorStyle{};
  bool Paused = false;  // the slideshow changes nothing by itself until resumed, also after a restart
  std::optional<std::int64_t> LastChangeUtc{};  // the running period's start, in UTC seconds
  bool OnTheClock = false;

  friend bool operator==(const TSettings&, const TSettings&) = default;
};

struct TConfigReadResult {
  TSettings Settings;
  // The messages to show, in line order ("'x' is not a valid integer value"); the
  // settings already hold the repaired values. Showing the first one is enough.
  std::vector<std::string> Errors;
};

// Reads the bytes of an existing file. CR LF, a lone CR and a lone LF each end a line;
// lines after those known are ignored and a missing line reads as empty text.
// A damaged file never stops the program from starting:
//  - a line 3 to 10 that is not a whole number takes its default (with a message);
//  - line 1 that is not a whole number from 0 to MaxPeriod becomes "5" (with a message);
//  - an empty line 2 becomes "C:\";
//  - a negative line 5 becomes 0;
//  - a line 11 that is not one of the offered choices becomes Ctrl (with a message); a file
//    without it (or with it empty) means Ctrl, as before;
//  - a line 12 that is not a whole number is off (with a message); a file without it (or
//    with it empty) means off;
//  - a line 13 that is not a pair of known values is none (with a message); a file without it
//    (or with it empty) means none;
//  - a line 14 that is not a whole number is running (with a message); a file without it (or
//    with it empty) means running;
//  - a line 15 that is not a moment is unknown (with a message), as is a file without it;
//  - a line 16 that is not a unit letter (with a message), a file without it or with it empty
//    take the unit from line 10: seconds or minutes;
//  - a line 21 that is not a whole number is off (with a message), as is a file without it.
// After reading an existing file, `Once` is enabled exactly when `Startup` is checked;
// without a file it stays enabled.
// Every text in the result is UTF-8.
TConfigReadResult ReadConfig(std::string_view bytes, const ILegacyCodePage& codePage);

// The exact bytes of the file: 21 lines, each ended by CR LF, truth values as "1"/"0".
// A CR or LF inside a text value is dropped, so the lines can never shift.
std::string WriteConfig(const TSettings& settings, const ILegacyCodePage& codePage);

// Error texts of the file handling.
std::string NotAnIntegerMessage(std::string_view text);  // "'%s' is not a valid integer value"
std::string PeriodOutOfRangeMessage(std::string_view text);
std::string HotKeyChoiceMessage(std::string_view text);      // "'%s' is not a valid hot-key choice (...)"
std::string WallpaperStyleMessage(std::string_view text);    // "'%s' is not a valid wallpaper style"
std::string LastChangeMessage(std::string_view text);        // "'%s' is not a valid time (YYYY-...)"
std::string PeriodUnitMessage(std::string_view text);        // "'%s' is not a valid period unit (s, m, h, d)"
std::string CannotOpenFileMessage(std::string_view path);    // "Cannot open file %s"
std::string CannotCreateFileMessage(std::string_view path);  // "Cannot create file %s"

}  // namespace tarvell
