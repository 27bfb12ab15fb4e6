#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace marrowpin {

// Waits between two tries of a file step. The window program keeps its
// window answering meanwhile; a program without a window sleeps.
using RetryPause = std::function<void(std::chrono::milliseconds)>;

void SleepingPause(std::chrono::milliseconds pause);

// Runs step, which returns ERROR_SUCCESS or the system's error, and runs it
// again after a pause while it fails because another program holds the file
// (SharingRetryPause); the last try's result.
DWORD RetriedWhileHeld(const std::function<DWORD()>& step, const RetryPause& pause);

}  // namespace marrowpin
