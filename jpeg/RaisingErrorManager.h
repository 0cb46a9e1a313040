// The error manager that turns every libjpeg error and warning into EJPEGException.
//
// Throwing through libjpeg's C frames is undefined behaviour, so output_message formats
// the text into Message, destroys the decompression object and longjmps to Jump. The
// routine that called setjmp(Jump) then throws EJPEGException(Message).
#pragma once

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
  JMSG_LASTADDONCODE
};

struct RaisingErrorManager {
  jpeg_error_mgr Pub;  // first, so the library's err pointer is also ours
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

// Fills the record with jpeg_std_error, replaces error_exit and output_message and declares
// the add-on messages. Set Jump with setjmp before the first library call that may fail.
void InitRaisingErrorManager(RaisingErrorManager& manager) noexcept;

}  // namespace tarvell
