#include "win/panel.h"

#include "win/window_class.h"

namespace marrowpin::win {

namespace {

constexpr wchar_t kPanelClass[] = L"MarrowpinPanel";

LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(GetParent(panel), message, wparam, lparam);
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
      return DefWindowProcW(panel, message, wparam, lparam);
  }
}

}  // namespace

const wchar_t* RegisterPanelClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kPanelClass, PanelProcedure, nullptr);
}

}  // namespace marrowpin::win
