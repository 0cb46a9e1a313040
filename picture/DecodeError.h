// The error of every picture decoder (JPEG, PNG, WebP); the program's other error classes are
// in base/Exception.h.
#pragma once

#include "base/Exception.h"

namespace tarvell {

// Why a picture did not decode. Damaged: the data is corrupt or cut short, so the file
// itself is at fault. Unsupported: a valid file of a kind or size this decoder refuses
// (12-bit or lossless coding, over the size caps, not a JPEG file at all), which says
// nothing about the file's health.
enum class TDecodeFailure : unsigned char { Damaged, Unsupported };

// Every decoding failure, whatever the picture's kind (the class keeps the name it has always
// had): the library's formatted message, or one of the decoder's own, with its kind.
class EJPEGException : public Exception {
public:
  explicit EJPEGException(const std::string& message, TDecodeFailure kind = TDecodeFailure::Damaged)
      : Exception(message), FKind(kind) {}

  TDecodeFailure Kind() const noexcept { return FKind; }

private:
  TDecodeFailure FKind;
};

}  // namespace tarvell
