#pragma once

#include "core/user_prompts.h"
#include "main/window_owner.h"
#include "win/open_dialog.h"

namespace marrowpin::main {

// The conversion's prompts as the main window presents them: the program's
// own message window and the system's message box, both captioned and owned
// as the application says, and the name dialog OpenDialog2.
class WindowPrompts final : public UserPrompts {
 public:
  WindowPrompts(const WindowOwner& owner, win::OpenDialog& name_dialog)
      : owner_(owner), name_dialog_(name_dialog) {}

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(Question question, const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskFileName(NameReason why, const std::string& notice,
                                         const std::string& title,
                                         const std::string& initial_folder) override;

 private:
  const WindowOwner& owner_;
  win::OpenDialog& name_dialog_;
};

}  // namespace marrowpin::main
