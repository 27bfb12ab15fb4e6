#pragma once

#include <windows.h>

namespace marrowpin::main {

// Registers the window class of a panel: a raised, button-face area that
// holds controls and passes their notifications on to its own parent.
// Returns the class name.
const char* RegisterPanelClass(HINSTANCE instance);

}  // namespace marrowpin::main
