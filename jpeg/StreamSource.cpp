#include "jpeg/StreamSource.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace tarvell {

std::size_t TMemoryReader::Read(JOCTET* destination, std::size_t count) noexcept {
  if (Bytes == nullptr || Position >= Bytes->size()) {
    return 0;
  }
  const std::size_t n = std::min(count, Bytes->size() - Position);
  std::memcpy(destination, Bytes->data() + Position, n);
  Position += n;
  return n;
}

namespace {

StreamSource* SourceOf(j_decompress_ptr cinfo) {
  // Pub is the first member of StreamSource, so the two addresses are the same.
  return reinterpret_cast<StreamSource*>(cinfo->src);
}

void InitSource(j_decompress_ptr cinfo) { SourceOf(cinfo)->StartOfFile = TRUE; }

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  StreamSource* src = SourceOf(cinfo);
  std::size_t taken = src->Input->Read(src->Buffer, StreamSourceBufferSize);
  if (taken == 0) {
    if (src->StartOfFile) {
      ERREXIT(cinfo, JERR_INPUT_EMPTY);
    }
    WARNMS(cinfo, JWRN_JPEG_EOF);
    // Only reached with an error manager that lets warnings return: end the image.
    src->Buffer[0] = static_cast<JOCTET>(0xFF);
    src->Buffer[1] = static_cast<JOCTET>(JPEG_EOI);
    taken = 2;
  }
  src->Pub.next_input_byte = src->Buffer;
  src->Pub.bytes_in_buffer = taken;
  src->StartOfFile = FALSE;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long num_bytes) {
  if (num_bytes <= 0) {
    return;
  }
  jpeg_source_mgr* src = cinfo->src;
  auto count = static_cast<std::size_t>(num_bytes);
  while (count > src->bytes_in_buffer) {
    count -= src->bytes_in_buffer;
    (void)(*src->fill_input_buffer)(cinfo);
  }
  src->next_input_byte += count;
  src->bytes_in_buffer -= count;
}

void TermSource(j_decompress_ptr) {}

}  // namespace

void StreamSourceAttach(j_decompress_ptr cinfo, TMemoryReader* input) {
  if (cinfo->src == nullptr) {
    void* record =
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(StreamSource));
    auto* src = new (record) StreamSource{};
    src->Buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, StreamSourceBufferSize * sizeof(JOCTET)));
    cinfo->src = &src->Pub;
  }
  StreamSource* src = SourceOf(cinfo);
  src->Pub.init_source = InitSource;
  src->Pub.fill_input_buffer = FillInputBuffer;
  src->Pub.skip_input_data = SkipInputData;
  src->Pub.resync_to_restart = jpeg_resync_to_restart;
  src->Pub.term_source = TermSource;
  src->Input = input;
  src->Pub.bytes_in_buffer = 0;
  src->Pub.next_input_byte = nullptr;
}

}  // namespace tarvell
