#pragma once

#include <optional>
#include <string>

namespace marrowpin {

// The modal questions and messages a conversion puts to the user.
// Texts are in the program's own character set.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;

  virtual void ShowMessage(const std::string& text) = 0;
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  // Asks for one file name, which need not exist; nullopt when cancelled.
  virtual std::optional<std::string> AskFileName(const std::string& title,
                                                 const std::string& initial_folder) = 0;
};

}  // namespace marrowpin
