// The error of a folder or drive that cannot be entered: "I/O error <system error code>".
#pragma once

#include "base/Exception.h"

#include <string>

namespace tarvell {

class EInOutError : public Exception {
public:
  explicit EInOutError(int errorCode) : Exception("I/O error " + std::to_string(errorCode)), FErrorCode(errorCode) {}
  int ErrorCode() const noexcept { return FErrorCode; }

private:
  int FErrorCode;
};

}  // namespace tarvell
