// Fonts with their GDI objects, and colours as the window system paints them.
#pragma once

#include "gui/Colors.h"
#include "gui/Handles.h"

#include <cstdint>
#include <string>

namespace tarvell {

// The RGB value a colour stands for now (system colours are looked up each time).
COLORREF ColorToRGB(TColor color) noexcept;

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
  void SetColor(TColor color) noexcept { FColor = color; }
  // Overrides the fields the description gives.
  void Apply(const TFontSpec& font);

  HFONT Handle() const;

private:
  std::string FName = "MS Sans Serif";
  int FHeight = -11;
  unsigned FStyle = 0;
  TColor FColor = clWindowText;
  mutable TGdiObject FHandle;
};

}  // namespace tarvell
