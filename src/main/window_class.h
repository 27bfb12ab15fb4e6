#pragma once

#include <windows.h>

namespace marrowpin::main {

// Registers a window class with the button-face background and the arrow
// cursor, once per process; returns its name.
const char* RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                                HICON icon);

}  // namespace marrowpin::main
