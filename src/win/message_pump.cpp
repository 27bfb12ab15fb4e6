#include "win/message_pump.h"

namespace marrowpin::win {

void DispatchWaitingMessages(const MessageFilter& take_first) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (take_first && take_first(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace marrowpin::win
