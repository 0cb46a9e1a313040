#include "picture/PictureResize.h"

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb/stb_image_resize.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace tarvell {

namespace {

stbir_filter FilterFor(double from, int to) noexcept { return to < from ? STBIR_FILTER_BOX : STBIR_FILTER_CATMULLROM; }

// Weights of the area averages, in 1/4096: a pixel's share of the output pixel it falls on.
constexpr int WeightBits = 12;
constexpr int WeightOne = 1 << WeightBits;
// The row sums keep 8 fraction bits, so two passes fit in 32 bits with no early rounding.
constexpr int RowFractionBits = 8;

// Which source pixels make up each output pixel along one side, and how much of it each one is.
struct TAreaWeights {
  std::vector<int> First;  // per output pixel
  std::vector<int> Count;
  std::vector<int> Start;    // index of its first weight
  std::vector<int> Weights;  // sum to WeightOne per output pixel
};

// Output pixel i covers source left + i * step .. left + (i + 1) * step; a source pixel
// counts by how much of it lies inside (stb_image_resize's box filter when reducing). Each
// weight is the difference of the rounded shares up to its two edges: never negative, and the
// weights sum to exactly WeightOne however many pixels there are (rounding each share on its own
// let the rest go negative past about 90:1, and the sums wrapped).
TAreaWeights AreaWeights(double left, double length, int outSize, int sourceSize) {
  TAreaWeights w;
  w.First.resize(outSize);
  w.Count.resize(outSize);
  w.Start.resize(outSize);
  const double step = length / outSize;
  w.Weights.reserve(static_cast<std::size_t>(outSize) * (static_cast<std::size_t>(step) + 2));
  for (int i = 0; i < outSize; ++i) {
    const double from = left + i * step, to = std::min(left + (i + 1) * step, static_cast<double>(sourceSize));
    const int first = std::clamp(static_cast<int>(std::floor(from)), 0, sourceSize - 1);
    const int last = std::clamp(static_cast<int>(std::ceil(to)) - 1, first, sourceSize - 1);
    w.First[i] = first;
    w.Count[i] = last - first + 1;
    w.Start[i] = static_cast<int>(w.Weights.size());
    // The share of the output pixel up to source position x; an empty span (past the picture's
    // edge) is all its first pixel.
    const auto shareTo = [&](int x) {
      if (x > last) return WeightOne;
      if (to <= from) return 0;
      return static_cast<int>(std::lround(std::clamp<double>(x - from, 0, to - from) / (to - from) * WeightOne));
    };
    int below = 0;
    for (int x = first; x <= last; ++x) {
      const int above = shareTo(x + 1);
      w.Weights.push_back(above - below);
      below = above;
    }
  }
  return w;
}

// One source row averaged across, with RowFractionBits of fraction.
void ReduceRow(const std::uint8_t* source, const TAreaWeights& w, std::uint16_t* out) noexcept {
  const int outSize = static_cast<int>(w.First.size());
  constexpr int Shift = WeightBits - RowFractionBits;
  for (int i = 0; i < outSize; ++i) {
    const std::uint8_t* p = source + static_cast<std::size_t>(w.First[i]) * 3;
    const int* weight = w.Weights.data() + w.Start[i];
    std::uint32_t b = 0, g = 0, r = 0;
    for (int k = 0; k < w.Count[i]; ++k, p += 3) {
      b += static_cast<std::uint32_t>(weight[k]) * p[0];
      g += static_cast<std::uint32_t>(weight[k]) * p[1];
      r += static_cast<std::uint32_t>(weight[k]) * p[2];
    }
    constexpr std::uint32_t Half = 1u << (Shift - 1);
    out[3 * i] = static_cast<std::uint16_t>((b + Half) >> Shift);
    out[3 * i + 1] = static_cast<std::uint16_t>((g + Half) >> Shift);
    out[3 * i + 2] = static_cast<std::uint16_t>((r + Half) >> Shift);
  }
}

// Area averaging in integers where both sides shrink (or keep their size): the common case of
// a photograph on a monitor, done in a fraction of the library's floating-point time.
bool ReduceByArea(const TPixelBlock& from, const TPixelRegion& region, const TPixelBlock& to) {
  const TAreaWeights across = AreaWeights(region.Left, region.Width, to.Width, from.Width);
  const TAreaWeights down = AreaWeights(region.Top, region.Height, to.Height, from.Height);
  const std::size_t rowValues = static_cast<std::size_t>(to.Width) * 3;
  // Neighbouring output rows share at most their boundary row: the last one averaged is kept.
  std::vector<std::uint16_t> row(rowValues);
  std::vector<std::uint32_t> sums(rowValues);
  int rowHeld = -1;
  constexpr int Shift = WeightBits + RowFractionBits;
  for (int oy = 0; oy < to.Height; ++oy) {
    std::fill(sums.begin(), sums.end(), 0u);
    const int* weight = down.Weights.data() + down.Start[oy];
    for (int k = 0; k < down.Count[oy]; ++k) {
      const int y = down.First[oy] + k;
      if (y != rowHeld) {
        ReduceRow(from.Pixels + static_cast<std::size_t>(y) * from.Stride, across, row.data());
        rowHeld = y;
      }
      const auto wy = static_cast<std::uint32_t>(weight[k]);
      for (std::size_t v = 0; v < rowValues; ++v) sums[v] += wy * row[v];
    }
    std::uint8_t* out = to.Pixels + static_cast<std::size_t>(oy) * to.Stride;
    for (std::size_t v = 0; v < rowValues; ++v)
      out[v] = static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (sums[v] + (1u << (Shift - 1))) >> Shift));
  }
  return true;
}

}  // namespace

bool ResamplePixels(const TPixelBlock& from, const TPixelRegion& region, const TPixelBlock& to) noexcept {
  if (from.Width <= 0 || from.Height <= 0 || to.Width <= 0 || to.Height <= 0 || region.Width <= 0 || region.Height <= 0)
    return false;
  if (to.Width <= region.Width && to.Height <= region.Height) {
    try {
      return ReduceByArea(from, region, to);
    } catch (const std::bad_alloc&) {
      return false;
    }
  }
  // Plain averages of the stored values: a picture's flat areas keep their exact colour.
  return stbir_resize_region(from.Pixels, from.Width, from.Height, static_cast<int>(from.Stride), to.Pixels, to.Width,
                             to.Height, static_cast<int>(to.Stride), STBIR_TYPE_UINT8, 3, STBIR_ALPHA_CHANNEL_NONE, 0,
                             STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, FilterFor(region.Width, to.Width),
                             FilterFor(region.Height, to.Height), STBIR_COLORSPACE_LINEAR, nullptr,
                             static_cast<float>(region.Left / from.Width), static_cast<float>(region.Top / from.Height),
                             static_cast<float>((region.Left + region.Width) / from.Width),
                             static_cast<float>((region.Top + region.Height) / from.Height)) != 0;
}

}  // namespace tarvell
