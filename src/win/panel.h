#pragma once

#include <windows.h>

namespace marrowpin::win {

// Registers the window class of a panel: a raised, button-face area that
// holds controls and passes their notifications on to its own parent.
// Returns the class name.
const wchar_t* RegisterPanelClass(HINSTANCE instance);

}  // namespace marrowpin::win
