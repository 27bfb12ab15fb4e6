#pragma once

#include <windows.h>

#include "win/centred_placement.h"

namespace marrowpin::win {

// The work area (the screen without the taskbar and docked bars) of the
// monitor that holds the most of window; the primary monitor's for a
// window on none, or for nullptr.
ScreenRect WorkAreaOf(HWND window);

// Moves window, keeping its size, to the centre of the work area of the
// monitor that holds the most of `on`.
void CentreOnMonitorOf(HWND window, HWND on);

}  // namespace marrowpin::win
