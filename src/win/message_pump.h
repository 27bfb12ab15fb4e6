#pragma once

#include <windows.h>

#include <functional>

namespace marrowpin::win {

// Takes a message before it is translated and dispatched (the keys of a
// window); whether it took it.
using MessageFilter = std::function<bool(MSG&)>;

// Dispatches the messages waiting for the thread's windows as the message
// loop does, each offered to take_first before, so that long work on the one
// thread keeps the windows painted and answering. A request to end the
// program is left for the message loop.
void DispatchWaitingMessages(const MessageFilter& take_first);

}  // namespace marrowpin::win
