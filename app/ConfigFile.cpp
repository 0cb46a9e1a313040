#include "app/ConfigFile.h"

#include "base/Utf8.h"
#include "slideshow/UtcText.h"

#include <array>
#include <initializer_list>
#include <limits>

namespace tarvell {

namespace {

// The lines this version knows; a later one may add more, which this one then ignores.
constexpr std::size_t LineCount = 21;
constexpr std::size_t HotKeyLine = 10;        // 0-based: line 11
constexpr std::size_t PerMonitorLine = 11;    // 0-based: line 12
constexpr std::size_t MonitorStyleLine = 12;  // 0-based: line 13
constexpr std::size_t PausedLine = 13;        // 0-based: line 14
constexpr std::size_t LastChangeLine = 14;    // 0-based: line 15
constexpr std::size_t UnitLine = 15;          // 0-based: line 16
constexpr std::size_t OnTheClockLine = 20;    // 0-based: line 21; lines 17 to 20 are a later feature's

// The desktop's own WallpaperStyle and TileWallpaper values; empty stands for a missing value.
constexpr std::string_view StyleValueTexts[] = {"", "0", "2", "6", "10", "22"};
constexpr std::string_view TileValueTexts[] = {"", "0", "1"};

template <std::size_t N>
bool IsOneOf(const std::optional<std::string>& value, const std::string_view (&known)[N]) {
  const std::string_view text = value ? std::string_view(*value) : std::string_view();
  if (value && text.empty()) return false;  // an empty text would read back as a missing value
  for (const std::string_view k : known)
    if (k == text) return true;
  return false;
}

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Splits at CR LF, lone CR and lone LF; a break at the very end starts no further line.
std::array<std::string_view, LineCount> SplitLines(std::string_view bytes) {
  std::array<std::string_view, LineCount> lines{};
  std::size_t line = 0;
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < bytes.size() && line < LineCount) {
    const char c = bytes[pos];
    if (c == '\r' || c == '\n') {
      lines[line++] = bytes.substr(start, pos - start);
      if (c == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
      start = ++pos;
    } else {
      ++pos;
    }
  }
  if (line < LineCount && start < bytes.size()) lines[line] = bytes.substr(start);
  return lines;
}

// Reads a line 3 to 10; a bad one keeps `value` as it is and records the message.
void ReadNumber(std::string_view text, std::vector<std::string>& errors, std::int32_t& value) {
  if (const auto number = ParseWholeNumber(text))
    value = *number;
  else
    errors.push_back(NotAnIntegerMessage(text));
}

void ReadFlag(std::string_view text, std::vector<std::string>& errors, bool& flag) {
  std::int32_t value = flag ? 1 : 0;
  ReadNumber(text, errors, value);
  flag = value != 0;
}

void ReadHotKeyFlags(std::string_view text, std::vector<std::string>& errors, unsigned& flags) {
  if (text.empty()) return;  // a file of an earlier version
  const auto number = ParseWholeNumber(text);
  if (!number) {
    errors.push_back(NotAnIntegerMessage(text));
  } else if (*number < 0 || !HotKeyChoiceIndex(static_cast<unsigned>(*number))) {
    errors.push_back(HotKeyChoiceMessage(text));
  } else {
    flags = static_cast<unsigned>(*number);
  }
}

void ReadLastChange(std::string_view text, std::vector<std::string>& errors, std::optional<std::int64_t>& utc) {
  if (text.empty()) return;  // unknown, or a file of an earlier version
  utc = ParseUtcText(text);
  if (!utc) errors.push_back(LastChangeMessage(text));
}

// A moment the reader would not take back (before 1970, after 9999) is not kept.
std::string LastChangeText(const std::optional<std::int64_t>& utc) {
  if (!utc || ParseUtcText(UtcText(*utc)) != utc) return {};
  return UtcText(*utc);
}

void ReadUnit(std::string_view text, std::vector<std::string>& errors, TPeriodUnit& unit) {
  if (text.empty()) return;  // a file of an earlier version: line 10 said it
  if (const auto read = ParsePeriodUnit(text))
    unit = *read;
  else
    errors.push_back(PeriodUnitMessage(text));
}

std::optional<std::string> ValueOfField(std::string_view field) {
  return field.empty() ? std::nullopt : std::optional<std::string>(field);
}

void ReadMonitorStyle(std::string_view text, std::vector<std::string>& errors, std::optional<TStyleValues>& values) {
  if (text.empty()) return;  // nothing replaced, or a file of an earlier version
  const std::size_t comma = text.find(',');
  if (comma != std::string_view::npos) {
    const TStyleValues read{ValueOfField(text.substr(0, comma)), ValueOfField(text.substr(comma + 1))};
    if (IsOneOf(read.WallpaperStyle, StyleValueTexts) && IsOneOf(read.TileWallpaper, TileValueTexts)) {
      values = read;
      return;
    }
  }
  errors.push_back(WallpaperStyleMessage(text));
}

// Values the reader would not take back (another program's) are not kept: none replaced.
std::string MonitorStyleText(const std::optional<TStyleValues>& values) {
  if (!values || !IsOneOf(values->WallpaperStyle, StyleValueTexts) || !IsOneOf(values->TileWallpaper, TileValueTexts))
    return {};
  return values->WallpaperStyle.value_or("") + "," + values->TileWallpaper.value_or("");
}

// A line of a file this version wrote: UTF-8 where it is, else the code page.
std::string ReadMarkedLine(std::string_view line, const ILegacyCodePage& codePage) {
  if (HasHighBytes(line) && IsWtf8(line)) return std::string(line);
  return codePage.Decode(line);
}

// The code page's bytes when the reader takes them back as the same text, else UTF-8.
// Code page bytes that also form UTF-8 ("Ã©" in 1252) would come back as another text.
std::string WriteLine(const std::string& text, const ILegacyCodePage& codePage) {
  if (const auto legacy = codePage.Encode(text); legacy && ReadMarkedLine(*legacy, codePage) == text) return *legacy;
  return text;
}

void AppendLine(std::string& out, std::string_view value, const ILegacyCodePage& codePage) {
  std::string text;
  for (const char c : value)
    if (c != '\r' && c != '\n') text += c;
  out += WriteLine(text, codePage);
  out += "\r\n";
}

// Truth values and numbers are ASCII, the same bytes in every code page.
void AppendAscii(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

void AppendFlag(std::string& out, bool flag) { AppendAscii(out, flag ? "1" : "0"); }

// Appends instead of chaining operator+, which some compilers warn about falsely.
std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (const auto part : parts) out += part;
  return out;
}

}  // namespace

std::string NotAnIntegerMessage(std::string_view text) { return Concat({"'", text, "' is not a valid integer value"}); }

std::string PeriodOutOfRangeMessage(std::string_view text) {
  return Concat({"'", text, "' is not a valid period (0 to ", std::to_string(MaxPeriod), ")"});
}

std::string HotKeyChoiceMessage(std::string_view text) {
  std::string offered;
  for (const THotKeyChoice& choice : HotKeyChoices) {
    if (!offered.empty()) offered += ", ";
    offered += std::to_string(choice.Flags);
  }
  return Concat({"'", text, "' is not a valid hot-key choice (", offered, ")"});
}

std::string WallpaperStyleMessage(std::string_view text) {
  return Concat({"'", text, "' is not a valid wallpaper style"});
}

std::string LastChangeMessage(std::string_view text) {
  return Concat({"'", text, "' is not a valid time (YYYY-MM-DDThh:mm:ssZ)"});
}

std::string PeriodUnitMessage(std::string_view text) {
  return Concat({"'", text, "' is not a valid period unit (s, m, h, d)"});
}

std::string CannotOpenFileMessage(std::string_view path) { return Concat({"Cannot open file ", path}); }

std::string CannotCreateFileMessage(std::string_view path) { return Concat({"Cannot create file ", path}); }

TConfigReadResult ReadConfig(std::string_view bytes, const ILegacyCodePage& codePage) {
  const bool byteOrderMark = bytes.starts_with(ByteOrderMark);
  if (byteOrderMark) bytes.remove_prefix(ByteOrderMark.size());
  const auto raw = SplitLines(bytes);
  // An earlier version's file is all code page, even where its bytes happen to form UTF-8
  // (a Chinese folder name in code page 936 often does).
  const bool marked = byteOrderMark || !raw[HotKeyLine].empty();
  std::array<std::string, LineCount> lines;
  for (std::size_t i = 0; i < LineCount; ++i)
    lines[i] = marked ? ReadMarkedLine(raw[i], codePage) : codePage.Decode(raw[i]);
  TConfigReadResult result;
  TSettings& s = result.Settings;
  auto& errors = result.Errors;

  // Line 1 is read by the timer as a number every second: anything else would stop the
  // slideshow for good, so it falls back to the default period.
  if (ParsePeriod(lines[0])) {
    s.PeriodText = lines[0];
  } else {
    errors.push_back(ParseWholeNumber(lines[0]) ? PeriodOutOfRangeMessage(lines[0]) : NotAnIntegerMessage(lines[0]));
  }
  if (!lines[1].empty()) s.StartFolder = lines[1];

  ReadFlag(lines[2], errors, s.Subfolders);
  ReadFlag(lines[3], errors, s.Random);
  ReadNumber(lines[4], errors, s.CurrentIndex);
  if (s.CurrentIndex < 0) s.CurrentIndex = 0;
  ReadFlag(lines[5], errors, s.Sound);
  ReadFlag(lines[6], errors, s.Transparent);
  ReadFlag(lines[7], errors, s.Startup);
  ReadFlag(lines[8], errors, s.Once);
  bool seconds = false;
  ReadFlag(lines[9], errors, seconds);
  s.Unit = seconds ? TPeriodUnit::Seconds : TPeriodUnit::Minutes;
  ReadHotKeyFlags(lines[HotKeyLine], errors, s.HotKeyFlags);
  // Files written before the option existed end at line 11: off, without a message.
  if (!lines[PerMonitorLine].empty()) ReadFlag(lines[PerMonitorLine], errors, s.PerMonitor);
  ReadMonitorStyle(lines[MonitorStyleLine], errors, s.MonitorStyle);
  if (!lines[PausedLine].empty()) ReadFlag(lines[PausedLine], errors, s.Paused);
  ReadLastChange(lines[LastChangeLine], errors, s.LastChangeUtc);
  ReadUnit(lines[UnitLine], errors, s.Unit);
  if (!lines[OnTheClockLine].empty()) ReadFlag(lines[OnTheClockLine], errors, s.OnTheClock);
  return result;
}

std::string WriteConfig(const TSettings& settings, const ILegacyCodePage& codePage) {
  std::string out;
  out.reserve(settings.PeriodText.size() + settings.StartFolder.size() + 80);
  AppendLine(out, settings.PeriodText, codePage);
  AppendLine(out, settings.StartFolder, codePage);
  AppendFlag(out, settings.Subfolders);
  AppendFlag(out, settings.Random);
  AppendAscii(out, std::to_string(settings.CurrentIndex));
  AppendFlag(out, settings.Sound);
  AppendFlag(out, settings.Transparent);
  AppendFlag(out, settings.Startup);
  AppendFlag(out, settings.Once);
  AppendFlag(out, settings.Unit == TPeriodUnit::Seconds);  // as earlier versions read it
  // Always written: it is also what tells this version's files from earlier ones.
  AppendAscii(out, std::to_string(HotKeyChoiceIndex(settings.HotKeyFlags) ? settings.HotKeyFlags : DefaultHotKeyFlags));
  AppendFlag(out, settings.PerMonitor);
  // Always written, empty once the style is back in place, so that a stale one is never put back.
  AppendAscii(out, MonitorStyleText(settings.MonitorStyle));
  AppendFlag(out, settings.Paused);
  AppendAscii(out, LastChangeText(settings.LastChangeUtc));
  AppendAscii(out, std::string(1, PeriodUnitLetter(settings.Unit)));
  for (std::size_t line = UnitLine + 1; line < OnTheClockLine; ++line) AppendAscii(out, "");
  AppendFlag(out, settings.OnTheClock);
  return out;
}

}  // namespace tarvell
