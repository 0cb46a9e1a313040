// libFuzzer target over the shuffle file's reader: nothing crashes it, and whatever it
// accepts writes back to the very same bytes (one way to read each file).
#include "slideshow/ShuffleFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto state = tarvell::ReadShuffleFile(bytes);
  if (state && (state->Shown > state->Order.size() || tarvell::WriteShuffleFile(*state) != bytes)) std::abort();
  return 0;
}
