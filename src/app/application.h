#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

#include "main/frm_main.h"

namespace marrowpin::app {

// The one application object of the process: it owns the main window, runs
// the message loop and shows the errors that reach it.
class Application final : public main::WindowOwner {
 public:
  explicit Application(HINSTANCE instance);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HINSTANCE Instance() const override { return instance_; }
  // The executable's name, as the caption of message and error boxes.
  const std::string& Title() const override { return title_; }
  // The main window's handle, or nullptr while there is none (during its
  // construction, and after it has been closed).
  HWND OwnerWindow() const override;
  // Shows the exception in an error box: a std::exception by its message,
  // anything else with an empty one.
  void ShowError(std::exception_ptr error) const noexcept override;

  // Creates the main window with the process's command line, split into
  // arguments; it becomes the application's main window once its
  // constructor has returned.
  void CreateMainWindow();
  // Shows the main window and dispatches messages until the program is told
  // to end.
  void Run(int show_command);

 private:
  HINSTANCE instance_;
  std::string title_;
  std::unique_ptr<main::TfrmMain> main_window_;
};

}  // namespace marrowpin::app
