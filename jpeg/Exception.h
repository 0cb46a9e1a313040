// The JPEG decoder's error class; the program's other error classes are in base/Exception.h.
#pragma once

#include "base/Exception.h"

namespace tarvell {

// Why a picture did not decode. Damaged: the data is corrupt or cut short, so the file
// itself is at fault. Unsupported: a valid file of a kind or size this decoder refuses
// (12-bit or lossless coding, over the size caps, not a JPEG file at all), which says
// nothing about the file's health.
enum class TJpegFailure : unsigned char { Damaged, Unsupported };

// Every JPEG decoding failure: the library's formatted message, or one of the bridge's own,
// with its kind.
class EJPEGException : public Exception {
public:
  explicit EJPEGException(const std::string& message, TJpegFailure kind = TJpegFailure::Damaged)
      : Exception(message), FKind(kind) {}

  TJpegFailure Kind() const noexcept { return FKind; }

private:
  TJpegFailure FKind;
};

}  // namespace tarvell
