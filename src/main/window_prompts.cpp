#include "main/window_prompts.h"

#include <windows.h>

#include "win/message_box.h"
#include "win/message_window.h"
#include "win/wide_text.h"
#include "win_text/batch_texts.h"

namespace marrowpin::main {

void WindowPrompts::ShowMessage(const std::string& text) {
  win::ShowMessageWindow(owner_.OwnerWindow(), text, owner_.Title());
}

void WindowPrompts::ShowFailure(const std::string& text, const std::string& reason) {
  ShowOutputFailure(text, {}, reason);
}

void WindowPrompts::ShowOutputFailure(const std::string& text, const std::string& output_path,
                                      const std::string& reason) {
  ShowMessage(win_text::FailureText(text, note_path_, output_path, reason));
}

bool WindowPrompts::AskYesNo(Question /*question*/, const std::string& text,
                             const std::string& caption) {
  return win::ShowMessageBox(owner_.OwnerWindow(), win::Wide(text), win::Wide(caption), MB_YESNO) ==
         IDYES;
}

bool WindowPrompts::AskOverwrite(const std::string& text, const std::string& caption,
                                 const std::string& output_path) {
  return AskYesNo(Question::kOverwrite, win_text::OverwriteQuestion(text, output_path), caption);
}

std::optional<std::string> WindowPrompts::AskFileName(const NameRequest& request,
                                                      const std::string& title,
                                                      const std::string& initial_folder) {
  ShowMessage(win_text::NameNotice(request));
  name_dialog_.SetTitle(title);
  name_dialog_.SetInitialFolder(initial_folder);
  std::vector<std::string> chosen = name_dialog_.Execute(owner_.OwnerWindow());
  if (chosen.empty()) return std::nullopt;
  return std::move(chosen.front());
}

}  // namespace marrowpin::main
