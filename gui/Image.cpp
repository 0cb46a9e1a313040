#include "gui/Image.h"

#include "gui/BmpShrink.h"
#include "jpeg/BMPLayout.h"
#include "jpeg/BMPReader.h"

#include <cstdint>
#include <optional>

namespace tarvell {

namespace {
// A field of the information header (after the 14-byte file header); 0 when it is cut short.
int BmpInfoField(std::span<const std::uint8_t> b, std::size_t offset) noexcept {
  if (b.size() < kBmpFileHeaderSize + kBmpInfoHeaderSize) return 0;
  return static_cast<int>(static_cast<std::int32_t>(ReadBmpU32(b.data() + kBmpFileHeaderSize + offset)));
}
}  // namespace

TImage::TImage(TComponent* AOwner) : TPaintedControl(AOwner) {}

TImage::~TImage() { DestroyHandle(); }

void TImage::PictureChanged() {
  if (!HasHandle()) return;
  ::InvalidateRect(Handle(), nullptr, FALSE);
  if (!Parent()) return;
  // Transparent controls in front of the picture show it through, so they repaint too.
  const auto& siblings = Parent()->Controls();
  bool after = false;
  RECT mine{Left(), Top(), Left() + Width(), Top() + Height()};
  for (TControl* c : siblings) {
    if (c == this) {
      after = true;
      continue;
    }
    RECT theirs{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    RECT overlap{};
    if (after && ::IntersectRect(&overlap, &mine, &theirs)) c->Invalidate();
  }
}

void TImage::SetStretch(bool on) {
  FStretch = on;
  PictureChanged();
}

void TImage::SetCenter(bool on) {
  FCenter = on;
  PictureChanged();
}

bool TImage::PaintBmp(HDC dc, std::span<const std::uint8_t> bmp, const RECT& rect) {
  // GDI paints what it is given; the shrinking below knows no 16-bit or bit-field rows.
  const std::optional<TBmpInfo> header = ReadBmpFileInfo(bmp);
  if (!header || header->Compression != kBmpCompressionRgb || header->BitsPerPixel == 16) return false;
  constexpr std::size_t FileHeader = kBmpFileHeaderSize;
  const std::int32_t width = header->Width;
  const std::int32_t height = header->Height;
  const std::uint16_t bits = header->BitsPerPixel;
  const std::uint64_t rows = header->Rows;
  const std::uint64_t stride = header->Stride;
  const std::uint32_t infoSize = header->HeaderSize;
  const auto colorsUsed = static_cast<std::uint32_t>(header->Colors);
  const std::uint64_t offBits = FileHeader + header->PixelsAt;

  const auto* info = reinterpret_cast<const BITMAPINFO*>(bmp.data() + FileHeader);
  const void* pixels = bmp.data() + offBits;
  const LONG destWidth = rect.right - rect.left;
  const LONG destHeight = rect.bottom - rect.top;
  // Shrinking averages the pixels it drops; enlarging keeps them sharp.
  const bool shrinking = destWidth < width || destHeight < static_cast<LONG>(rows);
  if (shrinking && destWidth > 0 && destHeight > 0 && destWidth <= width && destHeight <= static_cast<LONG>(rows)) {
    // Averaged here into a buffer of the painted size: GDI's own halftone copy would be as
    // large as the picture (see BmpShrink.h).
    const TBmpPixels source{static_cast<const std::uint8_t*>(pixels),
                            reinterpret_cast<const RGBQUAD*>(bmp.data() + FileHeader + infoSize),
                            width,
                            static_cast<int>(rows),
                            height > 0,
                            bits,
                            stride,
                            bits <= 8 ? colorsUsed : 0};
    const std::vector<std::uint32_t> small =
        ShrinkBmpPixels(source, static_cast<int>(destWidth), static_cast<int>(destHeight));
    BITMAPINFO out{};
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    out.bmiHeader.biWidth = destWidth;
    out.bmiHeader.biHeight = -destHeight;  // top-down
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = 32;
    out.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(destWidth), static_cast<DWORD>(destHeight), 0, 0, 0,
                        static_cast<UINT>(destHeight), small.data(), &out, DIB_RGB_COLORS);
    return true;
  }
  int oldMode = ::SetStretchBltMode(dc, shrinking ? HALFTONE : COLORONCOLOR);
  POINT oldOrigin{};
  ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  ::StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0, width,
                  static_cast<int>(rows), pixels, info, DIB_RGB_COLORS, SRCCOPY);
  ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  ::SetStretchBltMode(dc, oldMode);
  return true;
}

bool TImage::PaintContent(HDC dc) {
  const std::span<const std::uint8_t> bmp = ShownBitmap();
  if (bmp.empty()) return false;
  RECT r{0, 0, Width(), Height()};
  if (!FStretch) {
    int w = BmpInfoField(bmp, 4);
    int h = BmpInfoField(bmp, 8);
    int x = FCenter ? (Width() - w) / 2 : 0;
    int y = FCenter ? (Height() - h) / 2 : 0;
    r = RECT{x, y, x + w, y + h};
  }
  return PaintBmp(dc, bmp, r);
}

void TImage::PaintWindow(HDC dc) {
  // What the picture leaves uncovered shows what lies behind the control.
  if (Parent()) Parent()->PaintBehind(*this, dc);
  PaintContent(dc);
}

}  // namespace tarvell
