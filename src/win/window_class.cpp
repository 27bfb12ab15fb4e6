#include "win/window_class.h"

namespace marrowpin::win {

const wchar_t* RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                                   HICON icon) {
  WNDCLASSW window_class{};
  if (!GetClassInfoW(instance, name, &window_class)) {
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = icon;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = name;
    RegisterClassW(&window_class);
  }
  return name;
}

}  // namespace marrowpin::win
