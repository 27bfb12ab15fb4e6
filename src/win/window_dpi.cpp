#include "win/window_dpi.h"

namespace marrowpin::win {

int WindowDpi(HWND window) {
  // Looked up, not linked, so that the program still starts on Windows 7.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (get_dpi_for_window) {
    if (const UINT dpi = get_dpi_for_window(window)) return static_cast<int>(dpi);
  }
  const HDC screen = GetDC(window);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(window, screen);
  return dpi;
}

}  // namespace marrowpin::win
