// The screen cursor and the hourglass held for the length of a busy routine.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarvell {

using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crAppStart = -19;

// While Cursor is not crDefault, every window of the program shows it over its client area.
class TScreen {
public:
  TCursor Cursor() const noexcept { return FCursor; }
  void SetCursor(TCursor cursor) noexcept;
  // The system cursor that stands for a cursor value (the arrow for unknown values).
  static HCURSOR CursorHandle(TCursor cursor) noexcept;

private:
  TCursor FCursor = crDefault;
};

extern TScreen Screen;

// The hourglass for a scope, then the saved cursor, or the one named (the main window's
// rebuilds end with the arrow), also when an error unwinds the routine.
class TWaitCursor {
public:
  explicit TWaitCursor(TCursor atEnd = Screen.Cursor()) noexcept : FSaved(atEnd) { Screen.SetCursor(crHourGlass); }
  ~TWaitCursor() { Screen.SetCursor(FSaved); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
  TCursor FSaved;
};

}  // namespace tarvell
