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
  // A copy makes its own GDI object.
  TFont(const TFont& other) : FLook(other.FLook) {}
  TFont& operator=(const TFont& other) {
    FLook = other.FLook;
    FHandle.reset();
    return *this;
  }

  const std::string& Name() const noexcept { return FLook.Name; }
  int Height() const noexcept { return FLook.Height; }
  TColor Color() const noexcept { return FLook.Color; }
  void SetColor(TColor color) noexcept { FLook.Color = color; }
  // Overrides the fields the description gives.
  void Apply(const TFontSpec& font);

  HFONT Handle() const;

private:
  struct {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    unsigned Style = 0;
    TColor Color = clWindowText;
  } FLook;
  mutable TGdiObject FHandle;
};

}  // namespace tarvell
