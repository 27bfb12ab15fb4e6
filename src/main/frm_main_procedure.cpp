// The main window's class and its window procedure, which only hands each
// message to the handler of the window it belongs to.

#include <windows.h>

#include <shellapi.h>

#include <cstdint>

#include "main/frm_main.h"
#include "main/resource_ids.h"
#include "win/window_class.h"

namespace marrowpin::main {

namespace {

constexpr wchar_t kMainWindowClass[] = L"TfrmMain";

LRESULT Dispatch(TfrmMain& form, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SHOWWINDOW:
      if (wparam) form.WMShowWindow();
      break;
    case WM_ACTIVATE:
      // Minimised, the window keeps its focus for later.
      if (LOWORD(wparam) == WA_INACTIVE) {
        form.WMActivate(false);
      } else if (!HIWORD(wparam)) {
        form.WMActivate(true);
        return 0;
      }
      break;
    case WM_SIZE:
      form.FormResize();
      return 0;
    case WM_DPICHANGED:
      form.WMDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_CLOSE:
      if (!form.WMClose()) return 0;
      break;
    case WM_QUERYENDSESSION:
      return form.WMQueryEndSession(static_cast<std::uint32_t>(lparam)) ? TRUE : FALSE;
    case WM_ENDSESSION:
      form.WMEndSession(wparam != 0);
      return 0;
    case WM_DROPFILES:
      form.WMDropFiles(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDC_BTNREAD:
          form.BtnReadClick();
          return 0;
        case IDC_BUTTON1:
          form.Button1Click();
          return 0;
        case IDM_MNUEXIT:
          form.mnuExitClick();
          return 0;
      }
      break;
    case WM_DESTROY:
      form.WMDestroy();
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* form = reinterpret_cast<TfrmMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wparam, lparam);
  try {
    return Dispatch(*form, window, message, wparam, lparam);
  } catch (...) {
    // No exception may unwind through the window system.
    form->Owner().ShowError(std::current_exception());
    return 0;
  }
}

}  // namespace

const wchar_t* RegisterMainWindowClass(HINSTANCE instance) {
  return win::RegisterWindowClass(instance, kMainWindowClass, MainWindowProcedure,
                                  LoadIconW(instance, MAKEINTRESOURCEW(IDI_MARROWPIN)));
}

}  // namespace marrowpin::main
