#include "win/message_window.h"

#include <algorithm>
#include <exception>

#include "win/japanese_font.h"
#include "win/monitor_work_area.h"
#include "win/wide_text.h"
#include "win/window_dpi.h"
#include "win_text/window_texts.h"

namespace marrowpin::win {

namespace {

constexpr int kTextId = 0xFFFF;
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kWindowExtendedStyle = WS_EX_DLGMODALFRAME;

// Sizes in pixels at 96 dpi.
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

struct MessageWindowState {
  std::wstring text;
  std::wstring caption;
  HFONT font = nullptr;
  std::exception_ptr error;
};

// A dialog with no controls of its own: they are added when it opens, sized
// to the text.
struct EmptyDialogTemplate {
  DLGTEMPLATE dialog;
  WORD menu;
  WORD window_class;
  WORD title;
};

HWND CreateChild(HWND dialog, const wchar_t* window_class, const wchar_t* text, DWORD style, int id,
                 HFONT font) {
  const HWND child = CreateWindowExW(
      0, window_class, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void BuildWindow(HWND dialog, MessageWindowState& state) {
  SetWindowTextW(dialog, state.caption.c_str());
  // On the owner's monitor (the primary without one) before anything is
  // measured, so that the text is wrapped and drawn for that monitor's
  // width and scale.
  const ScreenRect area = WorkAreaOf(GetWindow(dialog, GW_OWNER));
  SetWindowPos(dialog, nullptr, area.left + (area.right - area.left) / 2,
               area.top + (area.bottom - area.top) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int dpi = WindowDpi(dialog);
  state.font = CreateJapaneseMessageFont(dpi);

  const HDC screen = GetDC(dialog);
  const auto scale = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
  const HGDIOBJ old_font = SelectObject(screen, state.font);
  RECT text_bounds{0, 0, (area.right - area.left) / 2, 0};
  DrawTextW(screen, state.text.c_str(), static_cast<int>(state.text.size()), &text_bounds,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(screen, old_font);
  ReleaseDC(dialog, screen);

  const int margin = scale(kMargin);
  const int button_width = scale(kButtonWidth);
  const int button_height = scale(kButtonHeight);
  const int text_width = text_bounds.right;
  const int text_height = text_bounds.bottom;
  const int client_width = std::max<int>(text_width, button_width) + 2 * margin;
  const int client_height = text_height + button_height + 3 * margin;

  const HWND text = CreateChild(dialog, L"STATIC", state.text.c_str(),
                                SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, kTextId, state.font);
  MoveWindow(text, margin, margin, text_width, text_height, FALSE);
  const HWND ok = CreateChild(dialog, L"BUTTON", Wide(win_text::kOkButton).c_str(),
                              BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, state.font);
  MoveWindow(ok, (client_width - button_width) / 2, text_height + 2 * margin, button_width,
             button_height, FALSE);

  RECT outer{0, 0, client_width, client_height};
  AdjustWindowRectEx(&outer, kWindowStyle, FALSE, kWindowExtendedStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const ScreenPoint corner = CentredIn(area, width, height);
  // Without an owner (the command-line mode), it stays above other programs'
  // windows and asks for the foreground, as the system's boxes do then
  // (ShowMessageBox): the run waits on it.
  const bool owned = GetWindow(dialog, GW_OWNER) != nullptr;
  SetWindowPos(dialog, owned ? nullptr : HWND_TOPMOST, corner.x, corner.y, width, height,
               owned ? SWP_NOZORDER : 0);
  if (!owned) SetForegroundWindow(dialog);
  SetFocus(ok);
}

INT_PTR CALLBACK MessageWindowProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto& state = *reinterpret_cast<MessageWindowState*>(lparam);
      try {
        BuildWindow(dialog, state);
      } catch (...) {
        // Carried past the dialog manager and raised again by the caller.
        state.error = std::current_exception();
        EndDialog(dialog, IDCANCEL);
      }
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowMessageWindow(HWND owner, std::string_view text, std::string_view caption) {
  const EmptyDialogTemplate empty{{kWindowStyle, kWindowExtendedStyle, 0, 0, 0, 0, 0}, 0, 0, 0};
  MessageWindowState state{Wide(text), Wide(caption), nullptr, nullptr};
  DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr)), &empty.dialog,
                          owner, MessageWindowProcedure, reinterpret_cast<LPARAM>(&state));
  if (state.font) DeleteObject(state.font);
  if (state.error) std::rethrow_exception(state.error);
}

}  // namespace marrowpin::win
