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

}  // namespace tarvell
