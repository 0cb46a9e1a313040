// The Orientation tag of a picture's EXIF block (JPEG's APP1, PNG's eXIf, WebP's EXIF chunk):
// how the stored pixels must be turned and mirrored to show the picture upright. Platform-free and free of libjpeg.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvell {

// The tag's own values: 1 upright, 2 mirrored left-right, 3 turned 180 degrees, 4 mirrored
// top-bottom, 5 mirrored along the main diagonal, 6 turned 90 degrees clockwise, 7 mirrored
// along the other diagonal, 8 turned 90 degrees anticlockwise.
constexpr int UprightOrientation = 1;

// Reads the orientation from the content of an APP1 segment (what follows its length field:
// "Exif\0\0", then a TIFF header and its first directory). Returns 1 when the segment is no
// EXIF block, has no Orientation entry, or anything in it is out of place or out of range.
// Never reads outside [segment, segment + size), whatever offsets and counts the block claims.
int ReadExifOrientation(const std::uint8_t* segment, std::size_t size) noexcept;

// The same from a bare TIFF block (byte order mark, 42, first directory), as PNG's eXIf chunk
// and WebP's EXIF chunk hold it; a block that starts "Exif\0\0" is read past that signature.
int ReadTiffOrientation(const std::uint8_t* tiff, std::size_t size) noexcept;

// Orientations 5 to 8 make the shown picture's width the stored height and the other way round.
constexpr bool OrientationSwapsAxes(int orientation) noexcept { return orientation >= 5 && orientation <= 8; }

}  // namespace tarvell
