#include "gui/Image.h"

#include "gui/BmpShrink.h"

#include <cstring>
#include <cstdint>

namespace tarvell {

namespace {
std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) noexcept {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) noexcept {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
// A field of the information header (after the 14-byte file header); 0 when it is cut short.
int BmpInfoField(std::span<const std::uint8_t> b, std::size_t offset) noexcept {
  constexpr std::size_t fileHeader = 14;
  constexpr std::size_t infoHeader = 40;
  if (b.size() < fileHeader + infoHeader) return 0;
  return static_cast<int>(static_cast<std::int32_t>(ReadU32(b, fileHeader + offset)));
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
  constexpr std::size_t FileHeader = 14;
  if (bmp.size() < FileHeader + sizeof(BITMAPINFOHEADER) || bmp[0] != 'B' || bmp[1] != 'M') return false;
  const std::uint64_t offBits = ReadU32(bmp, 10);
  const std::uint32_t infoSize = ReadU32(bmp, FileHeader);
  if (infoSize < sizeof(BITMAPINFOHEADER) || FileHeader + std::uint64_t{infoSize} > offBits || offBits > bmp.size()) {
    return false;
  }
  const auto width = static_cast<std::int32_t>(ReadU32(bmp, FileHeader + 4));
  const auto height = static_cast<std::int32_t>(ReadU32(bmp, FileHeader + 8));
  const std::uint16_t planes = ReadU16(bmp, FileHeader + 12);
  const std::uint16_t bits = ReadU16(bmp, FileHeader + 14);
  const std::uint32_t compression = ReadU32(bmp, FileHeader + 16);
  std::uint32_t colorsUsed = ReadU32(bmp, FileHeader + 32);
  if (width <= 0 || height == 0 || height == INT32_MIN || planes != 1 || compression != BI_RGB) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  if (bits <= 8) {
    const std::uint32_t maxColors = 1u << bits;
    if (colorsUsed == 0) colorsUsed = maxColors;
    if (colorsUsed > maxColors || FileHeader + std::uint64_t{infoSize} + 4ull * colorsUsed > offBits) return false;
  }
  const std::uint64_t rows =
      height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(height)) : static_cast<std::uint64_t>(height);
  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
  if (stride * rows > bmp.size() - offBits) return false;

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
