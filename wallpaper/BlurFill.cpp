#include "wallpaper/BlurFill.h"

#include "picture/BMPLayout.h"
#include "picture/BMPReader.h"
#include "picture/DecodeError.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

namespace tarvell {

namespace {

// The small copy's shorter side: the blur hides any detail finer than this anyway.
constexpr int SmallSide = 96;
// Three box passes, each this fraction of the small copy's shorter side, come close to a
// Gaussian blur.
constexpr int BlurDivisor = 12;
constexpr int BoxPasses = 3;
// The cover is darkened to 0.8 (in 256ths) so that the picture stands out from it.
constexpr unsigned Darken = 205;

struct TRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Where the Fit style puts a picture of pw x ph on a monitor of mw x mh, counted from its top.
TRect FitRect(int pw, int ph, int mw, int mh) {
  const double s = std::min(static_cast<double>(mw) / pw, static_cast<double>(mh) / ph);
  const int w = static_cast<int>(std::clamp(std::lround(pw * s), 1L, static_cast<long>(mw)));
  const int h = static_cast<int>(std::clamp(std::lround(ph * s), 1L, static_cast<long>(mh)));
  return {(mw - w) / 2, (mh - h) / 2, w, h};
}

// The part of the picture that covers the monitor as Fill crops it; centred, so it reads the
// same counted from the top or the bottom.
TPixelRegion CoverRegion(int pw, int ph, int mw, int mh) {
  const double s = std::max(static_cast<double>(mw) / pw, static_cast<double>(mh) / ph);
  const double w = std::min<double>(pw, mw / s), h = std::min<double>(ph, mh / s);
  return {(pw - w) / 2, (ph - h) / 2, w, h};
}

// One box pass along n pixels, step bytes apart: each becomes the mean of the 2r + 1 around
// it, the end pixels standing in for those past the ends. line has room for n pixels.
void BoxLine(std::uint8_t* p, int n, std::ptrdiff_t step, int r, std::vector<std::uint8_t>& line) {
  for (int i = 0; i < n; ++i) std::memcpy(&line[static_cast<std::size_t>(i) * 3], p + i * step, 3);
  const auto at = [&](int i) { return &line[static_cast<std::size_t>(std::clamp(i, 0, n - 1)) * 3]; };
  const int count = 2 * r + 1;
  for (int c = 0; c < 3; ++c, ++p) {
    int sum = 0;
    for (int i = -r; i <= r; ++i) sum += at(i)[c];
    for (int i = 0; i < n; ++i) {
      p[i * step] = static_cast<std::uint8_t>((sum + count / 2) / count);
      sum += at(i + r + 1)[c] - at(i - r)[c];
    }
  }
}

void BlurAndDarken(const TPixelBlock& b, std::vector<std::uint8_t>& pixels) {
  const int r = std::max(1, std::min(b.Width, b.Height) / BlurDivisor);
  std::vector<std::uint8_t> line(static_cast<std::size_t>(std::max(b.Width, b.Height)) * 3);
  for (int pass = 0; pass < BoxPasses; ++pass) {
    for (int y = 0; y < b.Height; ++y) BoxLine(b.Pixels + y * b.Stride, b.Width, 3, r, line);
    for (int x = 0; x < b.Width; ++x)
      BoxLine(b.Pixels + static_cast<std::size_t>(x) * 3, b.Height, static_cast<std::ptrdiff_t>(b.Stride), r, line);
  }
  for (auto& v : pixels) v = static_cast<std::uint8_t>((v * Darken + 128) >> 8);
}

// Bilinear steps along one side, pixel centres matched: output pixel i lies between source
// pixels First[i] and Next[i], Frac[i] / 256 of the way.
struct TSteps {
  std::vector<int> First, Next;
  std::vector<unsigned> Frac;
};

TSteps Steps(int from, int to) {
  TSteps s;
  s.First.resize(to);
  s.Next.resize(to);
  s.Frac.resize(to);
  for (int i = 0; i < to; ++i) {
    const double x = std::clamp((i + 0.5) * from / to - 0.5, 0.0, from - 1.0);
    s.First[i] = static_cast<int>(x);
    s.Next[i] = std::min(s.First[i] + 1, from - 1);
    s.Frac[i] = static_cast<unsigned>(std::lround((x - s.First[i]) * 256));
  }
  return s;
}

std::uint8_t Mix(unsigned a, unsigned b, unsigned frac) noexcept {
  return static_cast<std::uint8_t>((a * (256 - frac) + b * frac + 128) >> 8);
}

// Enlarges small onto the whole of to, but for hole (counted in stored row order), which the
// picture covers. Each small row is widened once, as output rows only go on; an output row
// is then a blend of two widened rows, a loop the compiler vectorises.
void Enlarge(const TPixelBlock& small, const TPixelBlock& to, const TRect& hole) {
  const TSteps across = Steps(small.Width, to.Width), down = Steps(small.Height, to.Height);
  const std::size_t values = static_cast<std::size_t>(to.Width) * 3;
  std::vector<std::uint8_t> wide[2] = {std::vector<std::uint8_t>(values), std::vector<std::uint8_t>(values)};
  int held[2] = {-1, -1};
  // Rows First and Next differ by one, so they never share a slot unless they are the same row.
  const auto widened = [&](int sy) {
    std::vector<std::uint8_t>& w = wide[sy & 1];
    if (held[sy & 1] == sy) return w.data();
    held[sy & 1] = sy;
    const std::uint8_t* row = small.Pixels + static_cast<std::size_t>(sy) * small.Stride;
    for (int x = 0; x < to.Width; ++x) {
      const std::uint8_t* p = row + static_cast<std::size_t>(across.First[x]) * 3;
      const std::uint8_t* q = row + static_cast<std::size_t>(across.Next[x]) * 3;
      for (int c = 0; c < 3; ++c) w[static_cast<std::size_t>(x) * 3 + c] = Mix(p[c], q[c], across.Frac[x]);
    }
    return w.data();
  };
  const std::size_t holeFrom = static_cast<std::size_t>(hole.Left) * 3;
  const std::size_t holeTo = static_cast<std::size_t>(hole.Left + hole.Width) * 3;
  for (int y = 0; y < to.Height; ++y) {
    const std::uint8_t* a = widened(down.First[y]);
    const std::uint8_t* b = widened(down.Next[y]);
    const unsigned f = down.Frac[y];
    std::uint8_t* out = to.Pixels + static_cast<std::size_t>(y) * to.Stride;
    const auto blend = [&](std::size_t from, std::size_t end) {
      for (std::size_t v = from; v < end; ++v) out[v] = Mix(a[v], b[v], f);
    };
    if (y >= hole.Top && y < hole.Top + hole.Height) {
      blend(0, holeFrom);
      blend(holeTo, values);
    } else {
      blend(0, values);
    }
  }
}

// The picture cropped as Fill would, made small, blurred, darkened and enlarged onto region
// but for hole.
void DrawCover(const TPixelBlock& picture, const TPixelBlock& region, const TRect& hole) {
  const double scale = std::min(1.0, static_cast<double>(SmallSide) / std::min(region.Width, region.Height));
  const int sw = std::max(1, static_cast<int>(std::lround(region.Width * scale)));
  const int sh = std::max(1, static_cast<int>(std::lround(region.Height * scale)));
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh) * 3);
  const TPixelBlock small{pixels.data(), sw, sh, static_cast<std::size_t>(sw) * 3};
  if (!ResamplePixels(picture, CoverRegion(picture.Width, picture.Height, region.Width, region.Height), small))
    throw std::bad_alloc();
  BlurAndDarken(small, pixels);
  Enlarge(small, region, hole);
}

// The pixels of a 24-bit bottom-up BMP file image; nothing for any other.
std::optional<TPixelBlock> PixelsOf(const TByteBuffer& bmp) noexcept {
  const auto info = ReadBmpFileInfo(std::span<const std::uint8_t>(bmp.data(), bmp.size()));
  if (!info || info->BitsPerPixel != 24 || !info->BottomUp()) return std::nullopt;
  // One block type for both ends; a picture's pixels are only read.
  return TPixelBlock{const_cast<std::uint8_t*>(bmp.data()) + BmpFileHeaderSize + info->PixelsAt, info->Width,
                     static_cast<int>(info->Rows), static_cast<std::size_t>(info->Stride)};
}

}  // namespace

bool NeedsBlurFill(int pictureW, int pictureH, int monitorW, int monitorH) noexcept {
  if (pictureW <= 0 || pictureH <= 0 || monitorW <= 0 || monitorH <= 0) return false;
  // The aspect ratios compared crosswise, so that no division rounds a ratio of exactly 1.1.
  const double picture = static_cast<double>(pictureW) * monitorH;
  const double monitor = static_cast<double>(monitorW) * pictureH;
  return picture * 10 > monitor * 11 || monitor * 10 > picture * 11;
}

void DrawBlurFill(const TPixelBlock& picture, const TPixelBlock& region) {
  if (picture.Width <= 0 || picture.Height <= 0 || region.Width <= 0 || region.Height <= 0) return;
  const TRect fit = FitRect(picture.Width, picture.Height, region.Width, region.Height);
  // Stored bottom-up: the picture's place counted from the bottom row.
  const TRect hole{fit.Left, region.Height - fit.Top - fit.Height, fit.Width, fit.Height};
  if (fit.Width < region.Width || fit.Height < region.Height) DrawCover(picture, region, hole);
  const TPixelBlock into{
      region.Pixels + static_cast<std::size_t>(hole.Top) * region.Stride + static_cast<std::size_t>(hole.Left) * 3,
      hole.Width, hole.Height, region.Stride};
  const TPixelRegion whole{0, 0, static_cast<double>(picture.Width), static_cast<double>(picture.Height)};
  if (!ResamplePixels(picture, whole, into)) throw std::bad_alloc();
}

TByteBuffer ComposeBlurFill(const TByteBuffer& picture, int monitorW, int monitorH) {
  if (!PixelsOf(picture))
    throw EJPEGException("Blurred edges need a picture of 24-bit rows", TDecodeFailure::Unsupported);
  const TScreenRect monitor{0, 0, monitorW, monitorH};
  TByteBuffer out = StartMonitorCanvas(monitor, {});
  DrawBlurFillPart(out, monitor, {monitor, &picture});
  return out;
}

void DrawBlurFillPart(TByteBuffer& canvas, const TScreenRect& screen, const TMonitorPicture& part) {
  const TScreenRect& m = part.Monitor;
  const auto to = PixelsOf(canvas);
  const auto picture = part.Bmp ? PixelsOf(*part.Bmp) : std::nullopt;
  // In 64 bits: a rectangle far off the screen must not wrap into it.
  const auto end = [](int from, int length) { return std::int64_t{from} + length; };
  if (!to || !picture || to->Width != screen.Width || to->Height != screen.Height || m.Width <= 0 || m.Height <= 0 ||
      m.Left < screen.Left || m.Top < screen.Top || end(m.Left, m.Width) > end(screen.Left, screen.Width) ||
      end(m.Top, m.Height) > end(screen.Top, screen.Height))
    return;
  // The monitor's rows counted from the canvas's bottom, as they are stored.
  const int bottom = screen.Height - (m.Top - screen.Top) - m.Height;
  DrawBlurFill(*picture, {to->Pixels + static_cast<std::size_t>(bottom) * to->Stride +
                              static_cast<std::size_t>(m.Left - screen.Left) * 3,
                          m.Width, m.Height, to->Stride});
}

}  // namespace tarvell
