#include "platform/windows/sharing_retries.h"

#include <optional>

#include "platform/sharing_retry.h"

namespace marrowpin {

void SleepingPause(std::chrono::milliseconds pause) {
  Sleep(static_cast<DWORD>(pause.count()));
}

DWORD RetriedWhileHeld(const std::function<DWORD()>& step, const RetryPause& pause) {
  DWORD error = step();
  for (int retries = 0; error != ERROR_SUCCESS; ++retries) {
    const std::optional<std::chrono::milliseconds> wait = SharingRetryPause(error, retries);
    if (!wait) break;
    pause(*wait);
    error = step();
  }
  return error;
}

}  // namespace marrowpin
