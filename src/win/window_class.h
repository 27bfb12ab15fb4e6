#pragma once

#include <windows.h>

namespace marrowpin::win {

// Registers a Unicode window class with the button-face background and the
// arrow cursor, once per process; returns its name.
const wchar_t* RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                                   HICON icon);

}  // namespace marrowpin::win
