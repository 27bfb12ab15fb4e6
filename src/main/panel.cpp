#include "main/panel.h"

namespace marrowpin::main {

namespace {

constexpr char kPanelClass[] = "MarrowpinPanel";

LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageA(GetParent(panel), message, wparam, lparam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(panel, &paint);
      RECT bounds;
      GetClientRect(panel, &bounds);
      DrawEdge(dc, &bounds, BDR_RAISEDINNER, BF_RECT);
      EndPaint(panel, &paint);
      return 0;
    }
    default:
      return DefWindowProcA(panel, message, wparam, lparam);
  }
}

}  // namespace

const char* RegisterPanelClass(HINSTANCE instance) {
  WNDCLASSA panel_class{};
  if (!GetClassInfoA(instance, kPanelClass, &panel_class)) {
    panel_class.lpfnWndProc = PanelProcedure;
    panel_class.hInstance = instance;
    panel_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    panel_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panel_class.lpszClassName = kPanelClass;
    RegisterClassA(&panel_class);
  }
  return kPanelClass;
}

}  // namespace marrowpin::main
