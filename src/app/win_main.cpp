// The program's entry: the application object, its main window and the
// message loop. Whatever escapes is shown in an error box; the exit code is
// always 0.

#include <windows.h>

#include <exception>

#include "app/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  marrowpin::app::Application application(instance);
  try {
    application.CreateMainWindow();
    application.Run(show_command);
  } catch (...) {
    application.ShowError(std::current_exception());
  }
  return 0;
}
