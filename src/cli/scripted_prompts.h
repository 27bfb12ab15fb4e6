#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "core/user_prompts.h"

namespace marrowpin::cli {

// Answers the conversion's questions from the command line: yes only where an
// option says so, and the given name only at the first name request of each
// file. Messages are printed to a stream, one line each.
class ScriptedPrompts final : public UserPrompts {
 public:
  ScriptedPrompts(bool overwrite, bool bitmap_header, std::optional<std::string> name,
                  std::FILE* messages);

  // Called before each file: the given name may be used once per file.
  void StartFile() { name_offered_ = false; }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskFileName(const std::string& title,
                                         const std::string& initial_folder) override;

 private:
  bool overwrite_;
  bool bitmap_header_;
  std::optional<std::string> name_;
  std::FILE* messages_;
  bool name_offered_ = false;
};

}  // namespace marrowpin::cli
