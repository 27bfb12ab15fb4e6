#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace marrowpin::main {

// What the main window needs of the application that owns it.
class WindowOwner {
 public:
  virtual HINSTANCE Instance() const = 0;
  // The caption of message and error boxes (UTF-8).
  virtual const std::string& Title() const = 0;
  // The window that owns the boxes and dialogs: the main window once it is
  // the application's, else nullptr.
  virtual HWND OwnerWindow() const = 0;
  // Shows an error that escaped a handler, in an error box.
  virtual void ShowError(std::exception_ptr error) const noexcept = 0;

 protected:
  ~WindowOwner() = default;
};

}  // namespace marrowpin::main
