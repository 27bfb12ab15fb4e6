#include "win/message_pump.h"

namespace marrowpin::win {

void DispatchWaitingMessages(HWND dialog_window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (dialog_window && IsDialogMessageW(dialog_window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace marrowpin::win
