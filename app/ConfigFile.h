#pragma once
// The settings file "Tarvell.cfg": ten text lines by position, no keys, CR LF.
//
//   1 period text (whole number 0..1000)   6 Sound        ("1"/"0")
//   2 picture folder                       7 Transparent  ("1"/"0")
//   3 Subfolders  ("1"/"0")                8 Startup      ("1"/"0")
//   4 Random      ("1"/"0")                9 Once         ("1"/"0")
//   5 CurrentIndex (decimal, 0-based)     10 SecondsMode  ("1" seconds, "0" minutes)
//
// Each line is written in the system's legacy 8-bit code page when its text fits it, which
// is byte for byte what earlier versions wrote, else in UTF-8. A line read that is valid
// UTF-8 and holds a byte above 0x7F is taken as UTF-8, any other in the code page. So a
// code page line reads as UTF-8 when each of its bytes above 0x7F belongs to a UTF-8
// sequence: in code page 1252 that takes one of "Â" to "ô" followed by one to three of "€"
// to "¿" (mostly symbols and punctuation: "Ã©" is "é" in UTF-8), which real folder names
// hardly hold. The writer takes UTF-8 for a text whose code page bytes are such.
//
// Only the bytes are handled here; opening, replacing and reporting are the caller's.

#include "app/LegacyCodePage.h"
#include "base/WholeNumber.h"
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
  bool SecondsMode = false;

  friend bool operator==(const TSettings&, const TSettings&) = default;
};

struct TConfigReadResult {
  TSettings Settings;
  // The messages to show, in line order ("'x' is not a valid integer value"); the
  // settings already hold the repaired values. Showing the first one is enough.
  std::vector<std::string> Errors;
};

// Reads the bytes of an existing file. CR LF, a lone CR and a lone LF each end a line;
// lines after the tenth are ignored and a missing line reads as empty text.
// A damaged file never stops the program from starting:
//  - a line 3 to 10 that is not a whole number takes its default (with a message);
//  - line 1 that is not a whole number from 0 to MaxPeriod becomes "5" (with a message);
//  - an empty line 2 becomes "C:\";
//  - a negative line 5 becomes 0.
// After reading an existing file, `Once` is enabled exactly when `Startup` is checked;
// without a file it stays enabled.
// Every text in the result is UTF-8.
TConfigReadResult ReadConfig(std::string_view bytes, const ILegacyCodePage& codePage);

// The exact bytes of the file: ten lines, each ended by CR LF, truth values as "1"/"0".
// A CR or LF inside a text value is dropped, so the lines can never shift.
std::string WriteConfig(const TSettings& settings, const ILegacyCodePage& codePage);

// Error texts of the file handling.
std::string NotAnIntegerMessage(std::string_view text);  // "'%s' is not a valid integer value"
std::string PeriodOutOfRangeMessage(std::string_view text);
std::string CannotOpenFileMessage(std::string_view path);    // "Cannot open file %s"
std::string CannotCreateFileMessage(std::string_view path);  // "Cannot create file %s"

}  // namespace tarvell
