#include "gui/Image.h"

#include "gui/BmpShrink.h"
#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"

#include <cstdint>
#include <optional>

namespace tarvell {

void TImage::PictureChanged() {
  if (!HasHandle()) return;
  ::InvalidateRect(Handle(), nullptr, FALSE);
  if (!Parent()) return;
  // Transparent controls in front of the picture show it through, so they repaint too.
  bool after = false;
  for (TControl* c : Parent()->Controls()) {
    if (after && c->Overlaps(*this)) c->Invalidate();
    after = after || c == this;
  }
}

void TImage::SetStretch(bool on) {
  FStretch = on;
  PictureChanged();
}

bool TImage::PaintBmp(HDC dc, std::span<const std::uint8_t> bmp, const RECT& rect) {
  // GDI paints what it is given; the shrinking below knows no 16-bit or bit-field rows.
  const std::optional<TBmpInfo> header = ReadBmpFileInfo(bmp);
  if (!header || header->Compression != BmpCompressionRgb || header->BitsPerPixel == 16) return false;
  const std::int32_t width = header->Width;
  const std::uint16_t bits = header->BitsPerPixel;
  const std::uint64_t rows = header->Rows;
  const std::uint8_t* info = bmp.data() + BmpFileHeaderSize;
  const std::uint8_t* pixels = info + header->PixelsAt;
  const LONG destWidth = rect.right - rect.left;
  const LONG destHeight = rect.bottom - rect.top;
  // Shrinking averages the pixels it drops; enlarging keeps them sharp.
  const bool shrinking = destWidth < width || destHeight < static_cast<LONG>(rows);
  if (shrinking && destWidth > 0 && destHeight > 0 && destWidth <= width && destHeight <= static_cast<LONG>(rows)) {
    // Averaged here into a buffer of the painted size: GDI's own halftone copy would be as
    // large as the picture (see BmpShrink.h).
    const TBmpPixels source(pixels, reinterpret_cast<const RGBQUAD*>(info + header->HeaderSize), width,
                            static_cast<int>(rows), header->BottomUp(), bits, header->Stride,
                            bits <= 8 ? static_cast<std::uint32_t>(header->Colors) : 0u);
    const std::vector<std::uint32_t> small =
        ShrinkBmpPixels(source, static_cast<int>(destWidth), static_cast<int>(destHeight));
    BITMAPINFO out{};
    out.bmiHeader = {sizeof(BITMAPINFOHEADER), destWidth, -destHeight /* top-down */, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    ::SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(destWidth), static_cast<DWORD>(destHeight), 0, 0, 0,
                        static_cast<UINT>(destHeight), small.data(), &out, DIB_RGB_COLORS);
    return true;
  }
  const int saved = ::SaveDC(dc);  // the stretch mode and brush origin
  ::SetStretchBltMode(dc, shrinking ? HALFTONE : COLORONCOLOR);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchDIBits(dc, rect.left, rect.top, destWidth, destHeight, 0, 0, width, static_cast<int>(rows), pixels,
                  reinterpret_cast<const BITMAPINFO*>(info), DIB_RGB_COLORS, SRCCOPY);
  ::RestoreDC(dc, saved);
  return true;
}

bool TImage::PaintContent(HDC dc) {
  const std::span<const std::uint8_t> bmp = ShownBitmap();
  const std::optional<TBmpInfo> header = ReadBmpFileInfo(bmp);
  if (!header) return false;
  return PaintBmp(dc, bmp, FStretch ? RECT{0, 0, Width(), Height()} : RECT{0, 0, header->Width, header->Height});
}

}  // namespace tarvell
