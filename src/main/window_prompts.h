#pragma once

#include "core/user_prompts.h"
#include "main/window_owner.h"
#include "win/open_dialog.h"

namespace marrowpin::main {

// The conversion's prompts as the main window presents them: the program's
// own message window and the system's message box, both captioned and owned
// as the application says, and the name dialog OpenDialog2. A failure's box
// names the note, the output and the system's reason below its message.
class WindowPrompts final : public UserPrompts {
 public:
  WindowPrompts(const WindowOwner& owner, win::OpenDialog& name_dialog)
      : owner_(owner), name_dialog_(name_dialog) {}

  // Called before each note is converted: its path, as the conversion is
  // given it, goes into the failure boxes.
  void StartNote(const std::string& path) { note_path_ = path; }

  void ShowMessage(const std::string& text) override;
  void ShowFailure(const std::string& text, const std::string& reason) override;
  void ShowOutputFailure(const std::string& text, const std::string& output_path,
                         const std::string& reason) override;
  bool AskYesNo(Question question, const std::string& text, const std::string& caption) override;
  // The question names the output below its text.
  bool AskOverwrite(const std::string& text, const std::string& caption,
                    const std::string& output_path) override;
  // A notice says why the name is asked for.
  std::optional<std::string> AskFileName(const NameRequest& request, const std::string& title,
                                         const std::string& initial_folder) override;

 private:
  const WindowOwner& owner_;
  win::OpenDialog& name_dialog_;
  std::string note_path_;
};

}  // namespace marrowpin::main
