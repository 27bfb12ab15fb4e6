#pragma once

#include <windows.h>

namespace marrowpin::win {

// Dispatches the messages waiting for the thread's windows as the message
// loop does, with the dialog keys of dialog_window, so that long work on the
// one thread keeps the windows painted and answering. A request to end the
// program is left for the message loop.
void DispatchWaitingMessages(HWND dialog_window);

}  // namespace marrowpin::win
