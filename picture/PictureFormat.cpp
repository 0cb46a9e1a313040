#include "picture/PictureFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tarvell {

TPictureFormat RecognisePicture(const std::uint8_t* bytes, std::size_t size) noexcept {
  static constexpr std::uint8_t PngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes == nullptr) {
    return TPictureFormat::Unknown;
  }
  if (size >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) {
    return TPictureFormat::Jpeg;
  }
  if (size >= sizeof PngSignature && std::memcmp(bytes, PngSignature, sizeof PngSignature) == 0) {
    return TPictureFormat::Png;
  }
  if (size >= PictureSignatureSize && std::memcmp(bytes, "RIFF", 4) == 0 && std::memcmp(bytes + 8, "WEBP", 4) == 0) {
    return TPictureFormat::Webp;
  }
  return TPictureFormat::Unknown;
}

std::string NotAPictureFileMessage(const std::uint8_t* bytes, std::size_t size) {
  std::string message = "Not a JPEG, PNG or WebP file: starts with";
  for (std::size_t i = 0; i < std::min<std::size_t>(size, 3); ++i) {
    char hex[8];
    std::snprintf(hex, sizeof hex, " 0x%02x", bytes[i]);
    message += hex;
  }
  return message;
}

}  // namespace tarvell
