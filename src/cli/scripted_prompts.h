#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "cli/locale_texts.h"
#include "core/output_group.h"
#include "core/user_prompts.h"

namespace marrowpin::cli {

// Answers the conversion's questions from the command line: yes only where an
// option says so, and the given name only at the first name request of each
// file. Messages are printed to a stream, one line each, after the file they
// concern; where a name request is left unanswered, the line says why, in
// texts.
class ScriptedPrompts final : public UserPrompts {
 public:
  ScriptedPrompts(bool overwrite, bool bitmap_header, std::optional<std::string> name,
                  const LocaleTexts& texts, std::FILE* messages);

  // Called before each file, as it was given: the lines name it (quoted as
  // names are printed), and the given name may be used once.
  void StartFile(const std::string& file);
  // Whether a message could not be written.
  bool WriteFailed() const { return write_failed_; }
  // Puts the outputs waiting in group in place before each message, so that
  // what is said of them comes first.
  void EndBeforeMessages(OutputGroup& group) { group_ = &group; }
  // An output failure of the earlier file `file`, told as its group ended.
  void ShowOutputFailureOf(const std::string& file, const std::string& text,
                           const std::string& output_path, const std::string& reason);

  void ShowMessage(const std::string& text) override;
  void ShowFailure(const std::string& text, const std::string& reason) override;
  // "TEXT: OUTPUT (reason)", the output quoted as names are printed.
  void ShowOutputFailure(const std::string& text, const std::string& output_path,
                         const std::string& reason) override;
  bool AskYesNo(Question question, const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskFileName(const NameRequest& request, const std::string& title,
                                         const std::string& initial_folder) override;

 private:
  bool overwrite_;
  bool bitmap_header_;
  std::optional<std::string> name_;
  const LocaleTexts& texts_;
  std::FILE* messages_;
  OutputGroup* group_ = nullptr;
  std::string file_;
  bool name_offered_ = false;
  bool write_failed_ = false;

  void Say(const std::string& quoted_file, const std::string& text);
};

}  // namespace marrowpin::cli
