#include "main/window_class.h"

namespace marrowpin::main {

const char* RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                                HICON icon) {
  WNDCLASSA window_class{};
  if (!GetClassInfoA(instance, name, &window_class)) {
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = icon;
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
  }
  return name;
}

}  // namespace marrowpin::main
