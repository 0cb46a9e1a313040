// The kinds of picture file the program shows, told apart by their first bytes, never by
// their names: a ".jpg" that holds a PNG picture is decoded as the PNG it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvell {

enum class TPictureFormat : std::uint8_t { Unknown, Jpeg, Png, Webp };

// The most bytes RecognisePicture looks at: "RIFF", the RIFF size, "WEBP".
constexpr std::size_t PictureSignatureSize = 12;

// JPEG: FF D8 FF. PNG: its 8-byte signature. WebP: "RIFF", four bytes, "WEBP".
TPictureFormat RecognisePicture(const std::uint8_t* bytes, std::size_t size) noexcept;

// The refusal of a file of no known kind, quoting its first three bytes (or as many as it has).
std::string NotAPictureFileMessage(const std::uint8_t* bytes, std::size_t size);

}  // namespace tarvell
