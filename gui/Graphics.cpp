#include "gui/Graphics.h"

#include "base/WideText.h"

namespace tarvell {

COLORREF ColorToRGB(TColor color) noexcept {
  if (color & SystemColorFlag) return ::GetSysColor(static_cast<int>(color & 0xFF));
  if (color == clDefault || color == clNone) return ::GetSysColor(COLOR_WINDOW);
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

void TFont::Apply(const TFontSpec& font) {
  if (font.Name) FLook.Name = font.Name;
  if (font.Height != 0) FLook.Height = font.Height;
  FLook.Style = font.Style;
  if (font.Color != clDefault) FLook.Color = font.Color;
  FHandle.reset();
}

HFONT TFont::Handle() const {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FLook.Height;
    lf.lfWeight = (FLook.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = (FLook.Style & fsUnderline) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = Widen(FLook.Name);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);  // face names are shorter: the zero stays
    FHandle.reset(::CreateFontIndirectW(&lf));
  }
  return static_cast<HFONT>(FHandle.get());
}

}  // namespace tarvell
