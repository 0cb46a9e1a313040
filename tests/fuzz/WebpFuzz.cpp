// libFuzzer target over the WebP decode (libwebp and its demuxer, scaling, the EXIF turn).
#include "picture/DecodeWebp.h"
#include "tests/fuzz/PngWebpFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzOneDecode(
      data, size, [](const auto& source, const auto& options) { return tarvell::DecodeWebpToBmp(source, options); });
}
