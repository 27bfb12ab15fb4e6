#pragma once

#include <stdexcept>

namespace marrowpin {

// An error meant for the user's eyes: what() is the complete message, in the
// program's own character set (Shift-JIS on Windows, UTF-8 elsewhere).
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reading a file that was opened failed part way.
class ReadError : public Error {
 public:
  using Error::Error;
};

}  // namespace marrowpin
