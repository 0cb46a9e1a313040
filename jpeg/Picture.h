// The decoded picture: one complete BMP file image held in memory, or nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
  const std::vector<std::uint8_t>& BmpImage() const noexcept { return FBmp; }

  // Takes a complete BMP file image as produced by a decode.
  void Assign(std::vector<std::uint8_t> bmp) noexcept { FBmp = std::move(bmp); }
  // Drops the image and gives its memory back.
  void Clear() noexcept { std::vector<std::uint8_t>().swap(FBmp); }

  // Writes the held image as a BMP file; writes nothing when empty.
  // Throws EFCreateError "Cannot create file <path>" or EWriteError "Stream write error".
  void SaveToFile(const std::string& path) const;

private:
  std::int32_t HeaderField(std::size_t offset) const noexcept;

  std::vector<std::uint8_t> FBmp;
};

}  // namespace tarvell
