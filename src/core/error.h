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

// A file that could not be opened, read to its end or held whole. The file
// services know the system's word but not the user's language: the
// conversion, which knows the texts, words the message.
class FileError : public std::runtime_error {
 public:
  enum class Step {
    kOpen,  // the file cannot be opened
    kRead,  // reading the opened file failed part way
    kHold,  // the file is too large to hold in memory
  };

  explicit FileError(Step step, std::string reason = {})
      : std::runtime_error(reason.empty() ? "file error" : reason),
        step_(step),
        reason_(std::move(reason)) {}

  Step step() const { return step_; }
  const std::string& reason() const { return reason_; }

 private:
  Step step_;
  std::string reason_;
};

}  // namespace marrowpin
