// Shrinks a decoded picture to the size the wallpaper needs while it is being decoded: each
// output pixel is the rounded mean of the source pixels that fall on it (source column x falls
// on output column x * outWidth / width, rows alike). Pixels are blue, green, red bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvell {

// The size of a picture reduced to num/8 (1..8) of its own, rounded up as libjpeg rounds its
// scaled sizes: never 0 for a picture that is not empty.
std::uint32_t ScaledSize(std::uint32_t size, int num) noexcept;

class TBoxReducer {
public:
  // Rows arrive in order (AddRow) unless wholePicture, when pixels arrive in any order
  // (AddPixel, for interlaced pictures) and the sums of the whole reduced picture are kept.
  // outWidth and outHeight are kept within 1/8 of width and height and width and height,
  // which are not 0. May throw std::bad_alloc.
  TBoxReducer(std::uint32_t width, std::uint32_t height, std::uint32_t outWidth, std::uint32_t outHeight,
              bool wholePicture);

  // Adds source row y. Returns true when that completes an output row: OutRow() then holds
  // it and OutRowIndex() says which.
  bool AddRow(std::uint32_t y, const std::uint8_t* bgr) noexcept;
  void AddPixel(std::uint32_t x, std::uint32_t y, const std::uint8_t* bgr) noexcept;
  // With wholePicture, once every pixel is added: output row oy into OutRow().
  void FinishRow(std::uint32_t oy) noexcept;

  const std::uint8_t* OutRow() const noexcept { return FOut.data(); }
  std::uint32_t OutRowIndex() const noexcept { return FOutRowIndex; }

private:
  std::uint32_t OutRowOf(std::uint32_t y) const noexcept;
  std::uint32_t SourceRowsOf(std::uint32_t oy) const noexcept;

  std::uint32_t FWidth, FHeight, FOutWidth, FOutHeight;
  std::vector<std::uint32_t> FColumnOf;     // output column of each source column
  std::vector<std::uint8_t> FColumnCount;   // source columns of each output column (at most 8)
  std::vector<std::uint32_t> FRowSums;      // one output row's sums, when rows come in order
  std::vector<std::uint16_t> FPictureSums;  // every output pixel's sums, with wholePicture
  std::vector<std::uint8_t> FOut;
  std::uint32_t FOutRowIndex = 0;
};

}  // namespace tarvell
