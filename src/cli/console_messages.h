#pragma once

#include "cli/console_texts.h"
#include "core/messages.h"

namespace marrowpin::cli {

// The conversion's messages as the console program prints them: each line
// starts with the FILE it concerns, so a message does not name it again.
class ConsoleMessages final : public Messages {
 public:
  ConsoleMessages(const messages::Texts& texts, const ConsoleTexts& console_texts)
      : Messages(texts), console_texts_(console_texts) {}

  const ConsoleTexts& console_texts() const { return console_texts_; }

  std::string NotConvertible(std::string_view) const override {
    return console_texts_.not_convertible;
  }
  std::string CannotOpenFile(std::string_view) const override {
    return console_texts_.cannot_open_file;
  }
  std::string CannotReadFile(std::string_view) const override {
    return console_texts_.cannot_read_file;
  }
  std::string FileTooLarge(std::string_view) const override {
    return console_texts_.file_too_large;
  }

 private:
  const ConsoleTexts& console_texts_;
};

}  // namespace marrowpin::cli
