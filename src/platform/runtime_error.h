#pragma once
// A run-time error in the program's own terms: a number and a description.
// Routines without a handler of their own let it rise to the start-up code,
// which beeps and leads to the exit prompt.

#include <stdexcept>
#include <string>

namespace sb {

enum ErrorNumber : int {
  kErrInvalidCall = 5,
  kErrFileNotFound = 53,
  kErrFileIo = 57,
  kErrBadFileFormat = 321,
  kErrDevice = 429,
};

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int Number() const { return number_; }

 private:
  int number_;
};

// Ends the process through the start-up code's exit path. Not an error:
// it does not derive from std::exception, so no error handler catches it.
struct ProgramEnd {
  int code = 0;
};

}  // namespace sb
