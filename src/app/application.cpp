#include "app/application.h"

#include <commctrl.h>

#include "app/application_title.h"
#include "app/error_text.h"
#include "main/frm_main.h"

namespace marrowpin::app {

namespace {

std::string ModulePath(HINSTANCE instance) {
  std::string path(MAX_PATH, '\0');
  while (true) {
    const DWORD length = GetModuleFileNameA(instance, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

Application::Application(HINSTANCE instance)
    : instance_(instance), title_(ApplicationTitle(ModulePath(instance))) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

Application::~Application() {
  main::frmMain = nullptr;
}

HWND Application::MainWindowHandle() const {
  return main::frmMain ? main::frmMain->Handle() : nullptr;
}

void Application::CreateMainWindow() {
  main_window_ = std::make_unique<main::TfrmMain>(*this);
  main::frmMain = main_window_.get();
}

void Application::Run(int show_command) {
  if (const HWND main_window = MainWindowHandle()) {
    ShowWindow(main_window, show_command);
    UpdateWindow(main_window);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    const HWND main_window = MainWindowHandle();
    if (main_window && IsDialogMessageA(main_window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Application::ShowException(std::exception_ptr error) const noexcept {
  try {
    MessageBoxA(MainWindowHandle(), ErrorBoxText(ErrorMessage(error)).c_str(), title_.c_str(),
                MB_OK | MB_ICONERROR);
  } catch (...) {
    // Out of memory while building the text: nothing more can be shown.
  }
}

}  // namespace marrowpin::app
