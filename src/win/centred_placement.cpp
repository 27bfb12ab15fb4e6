#include "win/centred_placement.h"

#include <algorithm>

namespace marrowpin::win {

namespace {

// Centred in [low, high), never past high, never before low.
int CentredAlong(int low, int high, int size) {
  const int centred = low + (high - low - size) / 2;
  return std::max(low, std::min(centred, high - size));
}

}  // namespace

ScreenPoint CentredIn(const ScreenRect& area, int width, int height) {
  return {CentredAlong(area.left, area.right, width), CentredAlong(area.top, area.bottom, height)};
}

}  // namespace marrowpin::win
