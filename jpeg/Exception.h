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
