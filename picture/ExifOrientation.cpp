#include "picture/ExifOrientation.h"

#include <cstring>

namespace tarvell {

namespace {

constexpr std::uint8_t ExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t OrientationTag = 0x0112;
constexpr std::uint16_t TypeShort = 3;
constexpr std::size_t EntrySize = 12;

// Reads numbers inside the TIFF block in its byte order. Every read is checked against the
// block's end; a read that does not fit fails instead of reading.
class TTiffReader {
public:
  TTiffReader(const std::uint8_t* tiff, std::size_t size, bool bigEndian) noexcept
      : FTiff(tiff), FSize(size), FBigEndian(bigEndian) {}

  bool U16(std::size_t offset, std::uint16_t& value) const noexcept {
    if (offset > FSize || FSize - offset < 2) return false;
    const std::uint8_t* p = FTiff + offset;
    value = static_cast<std::uint16_t>(FBigEndian ? p[0] << 8 | p[1] : p[1] << 8 | p[0]);
    return true;
  }
  bool U32(std::size_t offset, std::uint32_t& value) const noexcept {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    if (!U16(offset, first) || !U16(offset + 2, second)) return false;
    value = FBigEndian ? std::uint32_t{first} << 16 | second : std::uint32_t{second} << 16 | first;
    return true;
  }

private:
  const std::uint8_t* FTiff;
  std::size_t FSize;
  bool FBigEndian;
};

int OrientationOfTiff(const std::uint8_t* tiff, std::size_t tiffSize) noexcept;

}  // namespace

int ReadExifOrientation(const std::uint8_t* segment, std::size_t size) noexcept {
  constexpr std::size_t SignatureSize = sizeof ExifSignature;
  if (segment == nullptr || size < SignatureSize + 8 || std::memcmp(segment, ExifSignature, SignatureSize) != 0) {
    return UprightOrientation;
  }
  return OrientationOfTiff(segment + SignatureSize, size - SignatureSize);
}

int ReadTiffOrientation(const std::uint8_t* tiff, std::size_t size) noexcept {
  constexpr std::size_t SignatureSize = sizeof ExifSignature;
  if (tiff != nullptr && size >= SignatureSize && std::memcmp(tiff, ExifSignature, SignatureSize) == 0) {
    return OrientationOfTiff(tiff + SignatureSize, size - SignatureSize);
  }
  return OrientationOfTiff(tiff, size);
}

namespace {

int OrientationOfTiff(const std::uint8_t* tiff, std::size_t tiffSize) noexcept {
  if (tiff == nullptr || tiffSize < 8) {
    return UprightOrientation;
  }
  bool bigEndian = false;
  if (tiff[0] == 'M' && tiff[1] == 'M') {
    bigEndian = true;
  } else if (!(tiff[0] == 'I' && tiff[1] == 'I')) {
    return UprightOrientation;
  }
  const TTiffReader reader(tiff, tiffSize, bigEndian);
  std::uint16_t magic = 0;
  std::uint32_t directory = 0;
  std::uint16_t count = 0;
  if (!reader.U16(2, magic) || magic != 42 || !reader.U32(4, directory) || !reader.U16(directory, count)) {
    return UprightOrientation;
  }
  // Entries are sorted by tag, but writers get that wrong; look at each one that fits.
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = std::size_t{directory} + 2 + i * EntrySize;
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t values = 0;
    std::uint16_t value = 0;
    if (!reader.U16(entry, tag) || !reader.U16(entry + 2, type) || !reader.U32(entry + 4, values) ||
        !reader.U16(entry + 8, value)) {
      return UprightOrientation;  // the directory runs past the block
    }
    if (tag == OrientationTag) {
      const bool valid = type == TypeShort && values == 1 && value >= 1 && value <= 8;
      return valid ? value : UprightOrientation;
    }
  }
  return UprightOrientation;
}

}  // namespace

}  // namespace tarvell
