#include "wallpaper/MonitorComposer.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "picture/DecodeError.h"
#include "picture/PictureResize.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>

namespace tarvell {

namespace {

// A 24-bit bottom-up picture as stored: row 0 of memory is the bottom row.
struct TStoredPicture {
  std::uint8_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
  std::size_t Stride = 0;

  // The block of rows top .. top + height (counted from the top) and columns left .. left +
  // width, in memory order.
  TPixelBlock Block(int left, int top, int width, int height) const noexcept {
    return {Pixels + static_cast<std::size_t>(Height - top - height) * Stride + static_cast<std::size_t>(left) * 3, width,
            height, Stride};
  }
};

std::optional<TStoredPicture> ReadPart(const TByteBuffer* bmp) noexcept {
  if (bmp == nullptr) return std::nullopt;
  const auto info = ReadBmpFileInfo(std::span<const std::uint8_t>(bmp->data(), bmp->size()));
  if (!info || info->BitsPerPixel != 24 || !info->BottomUp()) return std::nullopt;
  // The decoders' own output, read only: the const is put back on by the callers' use.
  auto* pixels = const_cast<std::uint8_t*>(bmp->data()) + BmpFileHeaderSize + info->PixelsAt;
  return TStoredPicture{pixels, info->Width, static_cast<int>(info->Rows), static_cast<std::size_t>(info->Stride)};
}

// Where a picture lands on its monitor, relative to the monitor's top-left corner, and which
// part of it (from the top) is shown there.
struct TPlacement {
  int Left = 0, Top = 0, Width = 0, Height = 0;  // on the monitor
  TPixelRegion Source;                           // counted from the picture's top
  bool Resample = true;
};

int Rounded(double v) { return std::max(1, static_cast<int>(std::lround(v))); }

TPlacement Place(TWallpaperStyle style, int pw, int ph, int mw, int mh) {
  TPlacement p;
  p.Source = {0, 0, static_cast<double>(pw), static_cast<double>(ph)};
  switch (style) {
    case TWallpaperStyle::Stretch:
      p.Width = mw;
      p.Height = mh;
      return p;
    case TWallpaperStyle::Fit: {
      const double s = std::min(static_cast<double>(mw) / pw, static_cast<double>(mh) / ph);
      p.Width = std::min(mw, Rounded(pw * s));
      p.Height = std::min(mh, Rounded(ph * s));
      p.Left = (mw - p.Width) / 2;
      p.Top = (mh - p.Height) / 2;
      return p;
    }
    case TWallpaperStyle::Fill:
    case TWallpaperStyle::Span: {
      const double s = std::max(static_cast<double>(mw) / pw, static_cast<double>(mh) / ph);
      p.Width = mw;
      p.Height = mh;
      p.Source.Width = std::min<double>(pw, mw / s);
      p.Source.Height = std::min<double>(ph, mh / s);
      p.Source.Left = (pw - p.Source.Width) / 2;
      p.Source.Top = (ph - p.Source.Height) / 2;
      return p;
    }
    case TWallpaperStyle::None:
    case TWallpaperStyle::Center:
    case TWallpaperStyle::Tile:
      break;
  }
  // Unscaled in the middle; a picture larger than its monitor shows its own middle.
  p.Resample = false;
  p.Width = std::min(pw, mw);
  p.Height = std::min(ph, mh);
  p.Left = (mw - p.Width) / 2;
  p.Top = (mh - p.Height) / 2;
  p.Source = {static_cast<double>((pw - p.Width) / 2), static_cast<double>((ph - p.Height) / 2),
              static_cast<double>(p.Width), static_cast<double>(p.Height)};
  return p;
}

void CopyPixels(const TPixelBlock& from, const TPixelBlock& to) noexcept {
  for (int y = 0; y < to.Height; ++y)
    std::memcpy(to.Pixels + y * to.Stride, from.Pixels + y * from.Stride, static_cast<std::size_t>(to.Width) * 3);
}

}  // namespace

TWallpaperFit MonitorDecodeFit(TWallpaperStyle style, const TScreenRect& monitor, TRgbColour desktop) noexcept {
  const TWallpaperStyle perMonitor = style == TWallpaperStyle::Tile   ? TWallpaperStyle::Center
                                     : style == TWallpaperStyle::Span ? TWallpaperStyle::Fill
                                                                      : style;
  return TWallpaperFit(perMonitor, monitor.Width, monitor.Height, desktop);
}

TScreenRect VirtualScreenOf(std::span<const TMonitorPicture> parts) noexcept {
  if (parts.empty()) return {};
  int left = parts[0].Monitor.Left, top = parts[0].Monitor.Top;
  int right = left + parts[0].Monitor.Width, bottom = top + parts[0].Monitor.Height;
  for (const auto& part : parts) {
    left = std::min(left, part.Monitor.Left);
    top = std::min(top, part.Monitor.Top);
    right = std::max(right, part.Monitor.Left + part.Monitor.Width);
    bottom = std::max(bottom, part.Monitor.Top + part.Monitor.Height);
  }
  return {left, top, right - left, bottom - top};
}

TByteBuffer StartMonitorCanvas(const TScreenRect& screen, TRgbColour desktop) {
  if (screen.Width <= 0 || screen.Height <= 0) throw EJPEGException("No monitor to compose", TDecodeFailure::Unsupported);
  const TBmpLayout layout = ComputeBmpLayout(static_cast<std::uint32_t>(screen.Width),
                                             static_cast<std::uint32_t>(screen.Height), 3, DefaultMaxMegapixels);
  if (layout.Fit != TBmpFit::Fits) throw EJPEGException("The screen is too large for a bitmap", TDecodeFailure::Unsupported);
  TByteBuffer out(layout.FileSize);
  WriteBmpHeaders(layout, {}, out.data(), out.size());
  // The desktop colour everywhere first: bars, borders and any gap between monitors.
  for (int y = 0; y < screen.Height; ++y) {
    std::uint8_t* row = out.data() + layout.HeaderSize + static_cast<std::size_t>(y) * layout.RowWidth;
    for (int x = 0; x < screen.Width; ++x, row += 3) {
      row[0] = desktop.Blue;
      row[1] = desktop.Green;
      row[2] = desktop.Red;
    }
    std::memset(row, 0, layout.RowWidth - layout.DataWidth);
  }
  return out;
}

void DrawMonitorPicture(TByteBuffer& canvasBmp, const TScreenRect& screen, const TMonitorPicture& part,
                        TWallpaperStyle style) {
  const TScreenRect& m = part.Monitor;
  const auto canvas = ReadPart(&canvasBmp);
  const auto picture = ReadPart(part.Bmp);
  if (!canvas || !picture || m.Width <= 0 || m.Height <= 0 || canvas->Width != screen.Width ||
      canvas->Height != screen.Height || m.Left < screen.Left || m.Top < screen.Top ||
      m.Left + m.Width > screen.Left + screen.Width || m.Top + m.Height > screen.Top + screen.Height)
    return;
  const TPlacement p = Place(style, picture->Width, picture->Height, m.Width, m.Height);
  const TPixelBlock to = canvas->Block(m.Left - screen.Left + p.Left, m.Top - screen.Top + p.Top, p.Width, p.Height);
  if (!p.Resample) {
    CopyPixels(picture->Block(static_cast<int>(p.Source.Left), static_cast<int>(p.Source.Top), p.Width, p.Height), to);
    return;
  }
  // The source region counted from the bottom, as the rows are stored.
  const TPixelRegion source{p.Source.Left, picture->Height - p.Source.Top - p.Source.Height, p.Source.Width,
                            p.Source.Height};
  if (!ResamplePixels({picture->Pixels, picture->Width, picture->Height, picture->Stride}, source, to))
    throw std::bad_alloc();
}

TByteBuffer ComposeMonitorPictures(std::span<const TMonitorPicture> parts, TWallpaperStyle style, TRgbColour desktop) {
  const TScreenRect screen = VirtualScreenOf(parts);
  TByteBuffer out = StartMonitorCanvas(screen, desktop);
  for (const auto& part : parts) DrawMonitorPicture(out, screen, part, style);
  return out;
}

}  // namespace tarvell
