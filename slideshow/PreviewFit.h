#pragma once
// The size of the preview: the whole picture visible with its proportions kept, in the
// room the main window leaves right of the list and below the preview's top. Integer
// arithmetic only; products are formed in 64 bits before dividing, divisions truncate.

#include <cstdint>
#include <optional>

namespace tarvell {

inline constexpr std::int32_t PreviewMargin = 8;

struct TSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// The room for the preview: window width − list left − list width − 4 × margin by
// window height − preview top − 4 × margin (outer window size, borders included).
// A window too small for any room gives 0, never a negative size.
TSize PreviewRoom(TSize window, std::int32_t listLeft, std::int32_t listWidth, std::int32_t previewTop);

// The preview size for a picture of `picture` pixels in `room`; nothing when the picture
// has no width or height (the control keeps its size).
std::optional<TSize> FitPreview(TSize room, TSize picture);

}  // namespace tarvell
