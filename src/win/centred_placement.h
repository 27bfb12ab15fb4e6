#pragma once

// Where a window goes to be centred on a screen, apart from the window
// system so that it can be checked anywhere.
namespace marrowpin::win {

// A rectangle in screen coordinates, as RECT holds it: right and bottom
// just outside.
struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct ScreenPoint {
  int x;
  int y;
};

// The top-left corner of a window of width × height centred in area (a
// monitor's work area, which may lie left of or above the primary monitor):
// kept inside area, and at its top left along a side where it is larger.
ScreenPoint CentredIn(const ScreenRect& area, int width, int height);

}  // namespace marrowpin::win
