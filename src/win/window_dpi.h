#pragma once

#include <windows.h>

namespace marrowpin::win {

// The dpi a window is drawn at: its screen's where Windows scales each
// screen on its own (Windows 10 and later), else the system's.
int WindowDpi(HWND window);

}  // namespace marrowpin::win
