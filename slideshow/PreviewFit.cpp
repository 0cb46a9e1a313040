#include "slideshow/PreviewFit.h"

#include <algorithm>

namespace tarvell {

namespace {

std::int32_t Scale(std::int32_t length, std::int32_t numerator, std::int32_t denominator) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(length) * numerator / denominator);
}

}  // namespace

TSize PreviewRoom(TSize window, std::int32_t listLeft, std::int32_t listWidth, std::int32_t previewTop) {
  const std::int64_t width = std::int64_t{window.Width} - listLeft - listWidth - 4 * PreviewMargin;
  const std::int64_t height = std::int64_t{window.Height} - previewTop - 4 * PreviewMargin;
  return TSize{static_cast<std::int32_t>(std::max<std::int64_t>(width, 0)),
               static_cast<std::int32_t>(std::max<std::int64_t>(height, 0))};
}

std::optional<TSize> FitPreview(TSize room, TSize picture) {
  const std::int32_t w = picture.Width;
  const std::int32_t h = picture.Height;
  if (w <= 0 || h <= 0) return std::nullopt;
  TSize size;
  if (w > h) {
    size.Width = room.Width;
    size.Height = Scale(room.Width, h, w);
    if (size.Height > room.Height) {
      size.Height = room.Height;
      size.Width = Scale(room.Height, w, h);
    }
  } else {
    size.Height = room.Height;
    size.Width = Scale(room.Height, w, h);
    if (size.Width > room.Width) {
      size.Width = room.Width;
      size.Height = Scale(room.Width, h, w);
    }
  }
  return size;
}

}  // namespace tarvell
