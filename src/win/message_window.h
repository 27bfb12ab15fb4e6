#pragma once

#include <windows.h>

#include <string_view>

namespace marrowpin::win {

// Shows text (UTF-8) in a small modal window of the program's own, captioned
// caption, centred in the work area of the owner's monitor (the primary
// without an owner), with one OK button that Enter and Esc both press. The
// text is wrapped at half that work area's width and held in a static
// control with id 0xFFFF, where accessibility tools read it. A non-null
// owner is disabled while the window is open.
void ShowMessageWindow(HWND owner, std::string_view text, std::string_view caption);

}  // namespace marrowpin::win
