#include "picture/BMPLayout.h"

#include <limits>

namespace tarvell {

TBmpLayout ComputeBmpLayout(std::uint32_t width, std::uint32_t height, std::uint32_t components,
                            std::uint32_t maxMegapixels) noexcept {
  TBmpLayout layout;
  layout.Width = width;
  layout.Height = height;
  const bool colour = components == 3;
  layout.BitsPerPixel = colour ? 24 : 8;
  layout.DataWidth = std::uint64_t{width} * components;
  layout.RowWidth = (layout.DataWidth + 3) / 4 * 4;
  layout.HeaderSize = BmpFileHeaderSize + BmpInfoHeaderSize + (colour ? 0 : 4 * BmpColorTableEntries);
  layout.FileSize = layout.HeaderSize + layout.RowWidth * height;

  const std::uint64_t pixels = std::uint64_t{width} * height;
  constexpr auto MaxField = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
  if (pixels > std::uint64_t{maxMegapixels} * 1'000'000u) {
    layout.Fit = TBmpFit::TooManyPixels;
  } else if (layout.FileSize > std::numeric_limits<std::uint32_t>::max() || width > MaxField || height > MaxField) {
    layout.Fit = TBmpFit::TooLargeForBmp;
  }
  return layout;
}

namespace {

class THeaderWriter {
public:
  explicit THeaderWriter(std::uint8_t* out) : FOut(out) {}

  void U16(std::uint32_t value) {
    FOut[FPos++] = static_cast<std::uint8_t>(value);
    FOut[FPos++] = static_cast<std::uint8_t>(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(value & 0xFFFFu);
    U16(value >> 16);
  }

private:
  std::uint8_t* FOut;
  std::size_t FPos = 0;
};

}  // namespace

bool WriteBmpHeaders(const TBmpLayout& layout, const TBmpHeaderInfo& info, std::uint8_t* out,
                     std::size_t available) noexcept {
  if (out == nullptr || available < BmpFileHeaderSize + BmpInfoHeaderSize) {
    return false;
  }
  const bool hasTable = layout.BitsPerPixel == 8;
  THeaderWriter w(out);
  // File header.
  w.U16(0x4D42);  // "BM"
  w.U32(static_cast<std::uint32_t>(layout.FileSize));
  w.U16(0);
  w.U16(0);
  w.U32(static_cast<std::uint32_t>(layout.HeaderSize));
  // Information header; a positive height means the rows run bottom-up.
  w.U32(BmpInfoHeaderSize);
  w.U32(layout.Width);
  w.U32(layout.Height);
  w.U16(1);
  w.U16(layout.BitsPerPixel);
  w.U32(0);  // no compression
  w.U32(0);  // image size, may be 0 for uncompressed rows
  w.U32(info.XPixelsPerMetre);
  w.U32(info.YPixelsPerMetre);
  w.U32(hasTable ? BmpColorTableEntries : 0);
  w.U32(0);  // important colours
  return true;
}

}  // namespace tarvell
