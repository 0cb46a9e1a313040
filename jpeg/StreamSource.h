// The data source manager that feeds libjpeg from an in-memory copy of the file,
// 4096 bytes at a time.
#pragma once

#include "jpeg/JpegLib.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvell {

// A read position over a byte vector it does not own. It keeps a pointer to the vector
// rather than to its bytes and checks the bounds on every read, so it stays safe even if
// the vector is replaced while a decode is running.
struct TMemoryReader {
  const std::vector<std::uint8_t>* Bytes = nullptr;
  std::size_t Position = 0;

  // Copies up to count bytes from the current position; returns how many came.
  std::size_t Read(JOCTET* destination, std::size_t count) noexcept;
};

constexpr std::size_t StreamSourceBufferSize = 4096;

struct StreamSource {
  jpeg_source_mgr Pub;  // first, so the library's src pointer is also ours
  TMemoryReader* Input;
  JOCTET* Buffer;       // StreamSourceBufferSize bytes from the permanent pool
  boolean StartOfFile;  // true until the first successful refill
};

// Makes input the source of cinfo; call once per decode before jpeg_read_header.
void StreamSourceAttach(j_decompress_ptr cinfo, TMemoryReader* input);

}  // namespace tarvell
