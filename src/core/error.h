#pragma once

#include <stdexcept>
#include <string>

namespace marrowpin {

// An error meant for the user's eyes: what() is the complete message, in
// UTF-8 as every text inside the program; reason() is the system's own word
// on its cause, empty when it gave none.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, std::string reason = {})
      : std::runtime_error(message), reason_(std::move(reason)) {}

  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
};

// Reading a file that was opened failed part way.
class ReadError : public Error {
 public:
  using Error::Error;
};

}  // namespace marrowpin
