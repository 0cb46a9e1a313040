#include "jpeg/SkipCommentMarker.h"

namespace tarvell {

namespace {

unsigned TakeByte(j_decompress_ptr cinfo) {
  jpeg_source_mgr* src = cinfo->src;
  if (src->bytes_in_buffer == 0 && !(*src->fill_input_buffer)(cinfo)) {
    ERREXIT(cinfo, JERR_CANT_SUSPEND);
  }
  --src->bytes_in_buffer;
  return *src->next_input_byte++;
}

}  // namespace

boolean SkipCommentMarker(j_decompress_ptr cinfo) {
  const unsigned high = TakeByte(cinfo);
  const unsigned length = (high << 8) + TakeByte(cinfo);
  // The length counts its own two bytes; anything below 3 leaves no text to skip.
  for (unsigned i = 2; i < length; ++i) {
    (void)TakeByte(cinfo);
  }
  return TRUE;
}

}  // namespace tarvell
