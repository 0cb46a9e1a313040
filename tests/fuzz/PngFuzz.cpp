// libFuzzer target over the PNG decode (libspng, the row reduction, the eXIf turn).
#include "picture/DecodePng.h"
#include "tests/fuzz/PngWebpFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzOneDecode(
      data, size, [](const auto& source, const auto& options) { return tarvell::DecodePngToBmp(source, options); });
}
