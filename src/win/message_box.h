#pragma once

#include <windows.h>

#include <string_view>

namespace marrowpin::win {

// The system's message box (MessageBoxW with `type`), on its owner's monitor
// as Windows places it. One without an owner (in the command-line mode no
// window of the program is shown) stays above other programs' windows and
// asks for the foreground: a question the run waits on is seen even when
// the user has gone on elsewhere, where it would otherwise only flash in the
// taskbar.
int ShowMessageBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type);

}  // namespace marrowpin::win
