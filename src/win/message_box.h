#pragma once

#include <windows.h>

#include <string>

namespace marrowpin::win {

// The system's message box (MessageBoxW with `type`), on its owner's monitor
// as Windows places it. One without an owner (in the command-line mode no
// window of the program is shown) stays above other programs' windows and
// asks for the foreground: a question the run waits on is seen even when
// the user has gone on elsewhere, where it would otherwise only flash in the
// taskbar.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

}  // namespace marrowpin::win
