// Colours and font descriptions as layouts give them; no window system needed.
#pragma once

#include <cstdint>

namespace tarvell {

// An RGB value (0x00BBGGRR), a system colour (SystemColorFlag | COLOR_x), or clDefault.
using TColor = std::uint32_t;
constexpr TColor SystemColorFlag = 0x80000000u;
constexpr TColor clDefault = 0x20000000u;  // take the parent's or the control kind's own colour
constexpr TColor clNone = 0x1FFFFFFFu;     // transparent where a control supports it

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clAqua = 0xFFFF00;

constexpr TColor clBtnFace = SystemColorFlag | 15;    // COLOR_BTNFACE
constexpr TColor clWindow = SystemColorFlag | 5;      // COLOR_WINDOW
constexpr TColor clWindowText = SystemColorFlag | 8;  // COLOR_WINDOWTEXT
constexpr TColor clMenu = SystemColorFlag | 4;        // COLOR_MENU

enum TFontStyleBits : unsigned { fsBold = 1, fsUnderline = 4 };

// A font as a layout gives it; empty fields are taken from the parent's font.
struct TFontSpec {
  const char* Name = nullptr;
  int Height = 0;  // pixels; negative = character height, as LOGFONT has it
  unsigned Style = 0;
  TColor Color = clDefault;
};

}  // namespace tarvell
