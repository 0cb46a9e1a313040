// The JPEG decoder's error class; the program's other error classes are in base/Exception.h.
#pragma once

#include "base/Exception.h"

namespace tarvell {

// Every JPEG decoding failure: the library's formatted message, or one of the bridge's own.
class EJPEGException : public Exception {
public:
  using Exception::Exception;
};

}  // namespace tarvell
