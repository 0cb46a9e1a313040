// The error manager that turns every libjpeg error, and every warning that costs picture
// data, into EJPEGException.
//
// Throwing through libjpeg's C frames is undefined behaviour, so output_message formats
// the text into Message, destroys the decompression object and longjmps to Jump. The
// routine that called setjmp(Jump) then throws EJPEGException(Message, Kind).
//
// A warning after which the library still decodes every row from intact data (stray bytes
// before a marker, an unknown JFIF revision or Adobe transform, odd scan parameters of a
// sequential file) is counted in Pub.num_warnings and the decode goes on, giving the picture
// djpeg gives. Any other warning (corrupt or missing entropy data, a file cut short) ends the
// decode as damage.
#pragma once

#include "picture/DecodeError.h"
#include "jpeg/JpegLib.h"

#include <csetjmp>

namespace tarvell {

// The bridge's own messages, numbered well above the library's own codes.
// The first and the last code of the range carry no text.
enum TBridgeMessage : int {
  JMSG_FIRSTADDONCODE = 1000,
  JERR_BMP_COLORSPACE,
  JERR_BMP_COLORMAP,
  JERR_BMP_TOO_MANY_PIXELS,
  JERR_BMP_TOO_LARGE,
  JERR_CMYK_QUANTIZE,
  JMSG_LASTADDONCODE
};

struct RaisingErrorManager {
  jpeg_error_mgr Pub;  // first, so the library's err pointer is also ours
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
  int Code;           // the msg_code of the error or warning that ended the decode
  TDecodeFailure Kind;  // what that failure says of the file
  // The library's own emit_message, which still decides on trace messages.
  void (*LibraryEmitMessage)(j_common_ptr, int);
};

// Whether the message with this code tells of a damaged file or of one we do not decode
// (coding features, sizes and colour conversions that are not supported). Unknown codes count
// as damage, the cautious side for a file that may be kept or deleted.
TDecodeFailure FailureKindOf(int messageCode) noexcept;

// Whether the library decodes every row from intact data after this warning.
bool WarningKeepsEveryRow(int messageCode) noexcept;

// Fills the record with jpeg_std_error, replaces error_exit, emit_message and output_message
// and declares the add-on messages. Set Jump with setjmp before the first library call that may fail.
void InitRaisingErrorManager(RaisingErrorManager& manager) noexcept;

}  // namespace tarvell
