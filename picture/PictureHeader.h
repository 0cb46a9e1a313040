// A picture's size as shown (after its EXIF turn), read from the first bytes of its file
// without decoding it: enough to pass over pictures that do not suit a monitor before any
// work is spent on them. Platform-free.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tarvell {

// The most of a file's start a caller reads for ReadPictureShape: room for a JPEG's EXIF and
// colour profile segments before its frame header, and for a WebP's EXIF chunk after a small
// picture's data.
constexpr std::size_t PictureHeadBytes = std::size_t{256} << 10;

// Width and height in pixels as the picture is shown: stored axes swapped for EXIF
// orientations 5 to 8.
struct TPictureShape {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;

  bool Landscape() const noexcept { return Width > Height; }
  bool Portrait() const noexcept { return Height > Width; }
  bool Square() const noexcept { return Width == Height; }
  bool operator==(const TPictureShape&) const = default;
};

// The shape of the JPEG, PNG or WebP file that head starts, turned the way the decoder turns
// it. Nothing when the kind is unknown, anything needed lies past head or is damaged, or the
// size is zero; nothing either for a WebP that says it holds EXIF when that chunk lies past
// head, for its turn is then unknown. Reads nothing outside head and allocates nothing.
std::optional<TPictureShape> ReadPictureShape(std::span<const std::uint8_t> head) noexcept;

}  // namespace tarvell
