#include "win/centred_placement.h"

#include <gtest/gtest.h>

namespace marrowpin::win {
namespace {

// Work areas as Windows reports them for real monitor arrangements, and the
// main window's outer size at 96 dpi (408 × 238) or larger.
TEST(CentredPlacementTest, CentresInTheWorkAreaOfOneMonitorAndStaysInside) {
  const struct {
    const char* what;
    ScreenRect area;
    int width;
    int height;
    int x;
    int y;
  } cases[] = {
      {"primary 1920x1080, taskbar below", {0, 0, 1920, 1040}, 408, 238, 756, 401},
      {"second monitor right of it", {1920, 0, 3840, 1080}, 408, 238, 2676, 421},
      {"second monitor left of the primary", {-1280, 0, 0, 984}, 408, 238, -844, 373},
      {"monitor above the primary", {0, -1080, 1920, 0}, 408, 238, 756, -659},
      {"taskbar on the left", {62, 0, 1920, 1080}, 408, 238, 787, 421},
      {"taskbar on top", {0, 48, 1366, 768}, 408, 238, 479, 289},
      {"odd sizes round down", {0, 0, 1001, 601}, 408, 238, 296, 181},
      {"exactly the work area's size", {100, 50, 508, 288}, 408, 238, 100, 50},
      {"wider than the work area", {0, 0, 800, 600}, 1000, 238, 0, 181},
      {"taller than the work area", {1920, 40, 3840, 440}, 408, 600, 2676, 40},
      {"larger, on a monitor left of the primary", {-1280, -200, 0, 824}, 1400, 1100, -1280, -200},
  };
  for (const auto& c : cases) {
    const ScreenPoint corner = CentredIn(c.area, c.width, c.height);
    EXPECT_EQ(corner.x, c.x) << c.what;
    EXPECT_EQ(corner.y, c.y) << c.what;
  }
}

}  // namespace
}  // namespace marrowpin::win
