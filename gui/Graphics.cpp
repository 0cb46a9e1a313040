#include "gui/Graphics.h"

#include "base/WideText.h"

namespace tarvell {

COLORREF ColorToRGB(TColor color) noexcept {
  if (color & SystemColorFlag) return ::GetSysColor(static_cast<int>(color & 0xFF));
  if (color == clDefault || color == clNone) return ::GetSysColor(COLOR_WINDOW);
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

TFont& TFont::operator=(const TFont& other) {
  if (this != &other) {
    FName = other.FName;
    FHeight = other.FHeight;
    FStyle = other.FStyle;
    FColor = other.FColor;
    FHandle.reset();
  }
  return *this;
}

void TFont::Apply(const TFontSpec& font) {
  if (font.Name) FName = font.Name;
  if (font.Height != 0) FHeight = font.Height;
  FStyle = font.Style;
  if (font.Color != clDefault) FColor = font.Color;
  FHandle.reset();
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = (FStyle & fsUnderline) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = Widen(FName);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);  // face names are shorter: the zero stays
    FHandle.reset(::CreateFontIndirectW(&lf));
  }
  return static_cast<HFONT>(FHandle.get());
}

}  // namespace tarvell
