#include "cli/scripted_prompts.h"

#include "cli/shell_quote.h"
#include "core/messages.h"
#include "platform/write_text.h"

namespace marrowpin::cli {

ScriptedPrompts::ScriptedPrompts(bool overwrite, bool bitmap_header,
                                 std::optional<std::string> name, const LocaleTexts& texts,
                                 std::FILE* messages)
    : overwrite_(overwrite),
      bitmap_header_(bitmap_header),
      name_(std::move(name)),
      texts_(texts),
      messages_(messages) {}

void ScriptedPrompts::StartFile(const std::string& file) {
  file_ = QuotedName(file);
  name_offered_ = false;
}

void ScriptedPrompts::Say(const std::string& quoted_file, const std::string& text) {
  if (group_) group_->End();
  std::string unused_reason;
  if (!WriteText(messages_, quoted_file + ": " + text + "\n", &unused_reason)) {
    write_failed_ = true;
  }
}

void ScriptedPrompts::ShowMessage(const std::string& text) {
  Say(file_, text);
}

void ScriptedPrompts::ShowFailure(const std::string& text, const std::string& reason) {
  Say(file_, WithSystemReason(text, reason));
}

void ScriptedPrompts::ShowOutputFailure(const std::string& text, const std::string& output_path,
                                        const std::string& reason) {
  Say(file_, WithSystemReason(text + ": " + QuotedName(output_path), reason));
}

void ScriptedPrompts::ShowOutputFailureOf(const std::string& file, const std::string& text,
                                          const std::string& output_path,
                                          const std::string& reason) {
  Say(QuotedName(file), WithSystemReason(text + ": " + QuotedName(output_path), reason));
}

bool ScriptedPrompts::AskYesNo(Question question, const std::string& /*text*/,
                               const std::string& /*caption*/) {
  switch (question) {
    case Question::kOverwrite:
      return overwrite_;
    case Question::kAddBitmapHeader:
      return bitmap_header_;
  }
  return false;
}

std::optional<std::string> ScriptedPrompts::AskFileName(const NameRequest& request,
                                                        const std::string& /*title*/,
                                                        const std::string& /*initial_folder*/) {
  if (name_ && !name_offered_) {
    name_offered_ = true;
    return name_;
  }
  // Unanswered, the file is not converted: say why a name was needed.
  ShowMessage(UnansweredNameText(request, texts_.conversion(), texts_.console()));
  return std::nullopt;
}

}  // namespace marrowpin::cli
