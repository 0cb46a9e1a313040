// The decoded picture: one complete BMP file image held in memory, or nothing.
#pragma once

#include "base/DefaultInitAllocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace tarvell {

class TPicture {
public:
  TPicture() = default;

  bool Empty() const noexcept { return FBmp.empty(); }
  // Pixels of the held bitmap, read from its information header; 0 when empty.
  int Width() const noexcept;
  int Height() const noexcept;
  // 8 or 24; 0 when empty.
  int BitsPerPixel() const noexcept;
  // The whole BMP file image: file header, information header, colour table, bottom-up rows.
  // Also usable as a plain byte range: data(), size(), begin(), end().
  const TByteBuffer& BmpImage() const noexcept { return FBmp; }

  // Takes a complete BMP file image as produced by a decode.
  void Assign(TByteBuffer bmp) noexcept { FBmp = std::move(bmp); }
  // Copies a complete BMP file image from elsewhere (a resource, a test).
  void Assign(std::span<const std::uint8_t> bmp) { FBmp.assign(bmp.begin(), bmp.end()); }
  // Drops the image and gives its memory back.
  void Clear() noexcept { TByteBuffer().swap(FBmp); }

  // Writes the held image as a BMP file; writes nothing when empty.
  // Throws EFCreateError "Cannot create file <path>" or EWriteError "Stream write error".
  void SaveToFile(const std::string& path) const;

private:
  std::int32_t HeaderField(std::size_t offset) const noexcept;

  TByteBuffer FBmp;
};

}  // namespace tarvell
