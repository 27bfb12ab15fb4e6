#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>

namespace marrowpin::main {
class TfrmMain;
}

namespace marrowpin::app {

// The one application object of the process: it owns the main window, runs
// the message loop and shows the errors that reach it.
class Application {
 public:
  explicit Application(HINSTANCE instance);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HINSTANCE Instance() const { return instance_; }
  // The executable's name, as the caption of message and error boxes.
  const std::string& Title() const { return title_; }
  // The main window's handle, or nullptr while there is none (during its
  // construction, and after it has been closed).
  HWND MainWindowHandle() const;

  // Creates the main window, which becomes the application's main window
  // once its constructor has returned.
  void CreateMainWindow();
  // Shows the main window and dispatches messages until the program is told
  // to end.
  void Run(int show_command);

  // Shows the exception in an error box (see ErrorMessage).
  void ShowException(std::exception_ptr error) const noexcept;

 private:
  HINSTANCE instance_;
  std::string title_;
  std::unique_ptr<main::TfrmMain> main_window_;
};

}  // namespace marrowpin::app
