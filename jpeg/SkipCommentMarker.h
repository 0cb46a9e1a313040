// The processor for comment markers: reads past the comment without keeping its text.
#pragma once

#include "jpeg/JpegLib.h"

namespace tarvell {

// Installed for JPEG_COM with jpeg_set_marker_processor. Returns TRUE; raises
// "Suspension not allowed here" when the source cannot supply a byte.
boolean SkipCommentMarker(j_decompress_ptr cinfo);

}  // namespace tarvell
