#include "cli/scripted_prompts.h"

#include "core/messages.h"

namespace marrowpin::cli {

ScriptedPrompts::ScriptedPrompts(bool overwrite, bool bitmap_header,
                                 std::optional<std::string> name, std::FILE* messages)
    : overwrite_(overwrite),
      bitmap_header_(bitmap_header),
      name_(std::move(name)),
      messages_(messages) {}

void ScriptedPrompts::ShowMessage(const std::string& text) {
  std::fprintf(messages_, "%s\n", text.c_str());
  std::fflush(messages_);
}

bool ScriptedPrompts::AskYesNo(const std::string& /*text*/, const std::string& caption) {
  if (caption == messages::kOverwriteCaption) return overwrite_;
  if (caption == messages::kAddBitmapHeaderCaption) return bitmap_header_;
  return false;
}

std::optional<std::string> ScriptedPrompts::AskFileName(const std::string& /*title*/,
                                                        const std::string& /*initial_folder*/) {
  if (name_offered_) return std::nullopt;
  name_offered_ = true;
  return name_;
}

}  // namespace marrowpin::cli
