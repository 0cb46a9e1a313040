// A bitmap resource holds a packed device-independent bitmap (information header, colour
// masks, colour table, pixels) without the 14-byte file header of a .bmp file. The picture
// controls paint complete BMP file images, so the header is put back in front.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvell {

// The BMP file image of a packed bitmap: file header, then the bytes unchanged. Empty when
// the bytes are not an uncompressed (or bit-field) bitmap whose headers, colour table and
// rows all lie inside them, so a damaged resource is never read past its end.
std::vector<std::uint8_t> BmpFileFromPackedDib(const std::uint8_t* dib, std::size_t size);

}  // namespace tarvell
