// The program's error classes. Every error the program raises derives from Exception
// and carries only its message text, read back with what().
#pragma once

#include <stdexcept>
#include <string>

namespace tarvell {

class Exception : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A file could not be opened ("Cannot open file <name>").
class EFOpenError : public Exception {
public:
  using Exception::Exception;
};

// A file could not be created ("Cannot create file <name>").
class EFCreateError : public Exception {
public:
  using Exception::Exception;
};

// A read delivered fewer bytes than asked for ("Stream read error").
class EReadError : public Exception {
public:
  using Exception::Exception;
};

// A write took fewer bytes than given ("Stream write error").
class EWriteError : public Exception {
public:
  using Exception::Exception;
};

// The text that names a folder or drive that cannot be entered: "I/O error <system error code>".
inline std::string InOutErrorText(int errorCode) { return "I/O error " + std::to_string(errorCode); }

// A folder or drive that cannot be entered.
class EInOutError : public Exception {
public:
  explicit EInOutError(int errorCode) : Exception(InOutErrorText(errorCode)), FErrorCode(errorCode) {}
  int ErrorCode() const noexcept { return FErrorCode; }

private:
  int FErrorCode;
};

}  // namespace tarvell
