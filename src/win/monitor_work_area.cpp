#include "win/monitor_work_area.h"

namespace marrowpin::win {

ScreenRect WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) {
    // No monitor to ask: the primary screen as the system measures it.
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

void CentreOnMonitorOf(HWND window, HWND on) {
  RECT bounds;
  if (!GetWindowRect(window, &bounds)) return;
  const ScreenPoint corner =
      CentredIn(WorkAreaOf(on), bounds.right - bounds.left, bounds.bottom - bounds.top);
  SetWindowPos(window, nullptr, corner.x, corner.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace marrowpin::win
