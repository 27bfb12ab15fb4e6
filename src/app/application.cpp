#include "app/application.h"

#include <commctrl.h>

#include "platform/windows/program_path.h"
#include "win/message_box.h"
#include "win/wide_text.h"
#include "win_text/application_title.h"
#include "win_text/command_line.h"
#include "win_text/error_text.h"

namespace marrowpin::app {

Application::Application(HINSTANCE instance)
    : instance_(instance), title_(win_text::ApplicationTitle(ProgramPath())) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

Application::~Application() {
  main::frmMain = nullptr;
}

HWND Application::OwnerWindow() const {
  return main::frmMain ? main::frmMain->Handle() : nullptr;
}

void Application::CreateMainWindow() {
  main_window_ = std::make_unique<main::TfrmMain>(
      *this, win_text::SplitCommandLine(win::Utf8(GetCommandLineW())));
  main::frmMain = main_window_.get();
}

void Application::Run(int show_command) {
  if (const HWND main_window = OwnerWindow()) {
    ShowWindow(main_window, show_command);
    UpdateWindow(main_window);
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (main::frmMain && main::frmMain->Handle() && main::frmMain->TakeKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Application::ShowError(std::exception_ptr error) const noexcept {
  try {
    win::ShowMessageBox(OwnerWindow(),
                        win::Wide(win_text::ErrorBoxText(win_text::ErrorMessage(error))),
                        win::Wide(title_), MB_OK | MB_ICONERROR);
  } catch (...) {
    // Out of memory while building the text: nothing more can be shown.
  }
}

}  // namespace marrowpin::app
