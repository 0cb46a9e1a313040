// Colours and fonts as layouts and controls describe them.
#pragma once

#include "gui/Handles.h"

#include <cstdint>
#include <string>

namespace tarvell {

// An RGB value (0x00BBGGRR), a system colour (SystemColorFlag | COLOR_x), or clDefault.
using TColor = std::uint32_t;
constexpr TColor SystemColorFlag = 0x80000000u;
constexpr TColor clDefault = 0x20000000u;  // take the parent's or the control kind's own colour
constexpr TColor clNone = 0x1FFFFFFFu;     // transparent where a control supports it

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clBtnFace = SystemColorFlag | 15;   // COLOR_BTNFACE
constexpr TColor clWindow = SystemColorFlag | 5;     // COLOR_WINDOW
constexpr TColor clWindowText = SystemColorFlag | 8; // COLOR_WINDOWTEXT
constexpr TColor clMenu = SystemColorFlag | 4;       // COLOR_MENU
constexpr TColor clBtnText = SystemColorFlag | 18;   // COLOR_BTNTEXT
constexpr TColor clInfoBk = SystemColorFlag | 24;    // COLOR_INFOBK

// The RGB value a colour stands for now (system colours are looked up each time).
COLORREF ColorToRGB(TColor color) noexcept;

enum TFontStyleBits : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font as a layout gives it; empty fields are taken from the parent's font.
struct TFontSpec {
  const char* Name = nullptr;
  int Height = 0;  // pixels; negative = character height, as LOGFONT has it
  unsigned Style = 0;
  TColor Color = clDefault;
};

// A font with its GDI object, created on first use and recreated after each change.
class TFont {
public:
  TFont() = default;
  TFont(const TFont& other) : FName(other.FName), FHeight(other.FHeight), FStyle(other.FStyle), FColor(other.FColor) {}
  TFont& operator=(const TFont& other);

  const std::string& Name() const noexcept { return FName; }
  int Height() const noexcept { return FHeight; }
  unsigned Style() const noexcept { return FStyle; }
  TColor Color() const noexcept { return FColor; }
  void SetName(std::string name);
  void SetHeight(int height);
  void SetStyle(unsigned style);
  void SetColor(TColor color) noexcept { FColor = color; }
  // Overrides the fields the spec gives.
  void Apply(const TFontSpec& spec);

  HFONT Handle() const;

private:
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  unsigned FStyle = 0;
  TColor FColor = clWindowText;
  mutable TGdiObject FHandle;
};

}  // namespace tarvell
