// libFuzzer target over ReadPictureShape: any bytes give a shape of some size or nothing, and
// nothing past them is read (the sanitizer sees the input's exact end).
#include "picture/PictureHeader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto shape = tarvell::ReadPictureShape({data, size});
  if (shape && (shape->Width == 0 || shape->Height == 0)) std::abort();
  return 0;
}
