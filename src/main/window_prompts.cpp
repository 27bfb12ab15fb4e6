#include "main/window_prompts.h"

#include <windows.h>

#include "app/application.h"
#include "main/message_window.h"

namespace marrowpin::main {

void WindowPrompts::ShowMessage(const std::string& text) {
  ShowMessageWindow(application_.MainWindowHandle(), text, application_.Title());
}

bool WindowPrompts::AskYesNo(Question /*question*/, const std::string& text,
                             const std::string& caption) {
  return MessageBoxA(application_.MainWindowHandle(), text.c_str(), caption.c_str(), MB_YESNO) ==
         IDYES;
}

std::optional<std::string> WindowPrompts::AskFileName(NameRequest /*why*/,
                                                      const std::string& notice,
                                                      const std::string& title,
                                                      const std::string& initial_folder) {
  ShowMessage(notice);
  name_dialog_.SetTitle(title);
  name_dialog_.SetInitialFolder(initial_folder);
  std::vector<std::string> chosen = name_dialog_.Execute(application_.MainWindowHandle());
  if (chosen.empty()) return std::nullopt;
  return std::move(chosen.front());
}

}  // namespace marrowpin::main
