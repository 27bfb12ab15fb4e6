#include "platform/sharing_retry.h"

#include <algorithm>

namespace marrowpin {

namespace {

// The system's codes for a file that another program holds open.
constexpr std::uint32_t kAccessDenied = 5;       // ERROR_ACCESS_DENIED
constexpr std::uint32_t kSharingViolation = 32;  // ERROR_SHARING_VIOLATION
constexpr std::uint32_t kLockViolation = 33;     // ERROR_LOCK_VIOLATION
// ReplaceFileW's word for an old output it could not remove, held open
// without delete sharing; both files keep their names, so a retry is safe.
constexpr std::uint32_t kUnableToRemoveReplaced = 1175;  // ERROR_UNABLE_TO_REMOVE_REPLACED

constexpr std::chrono::milliseconds kFirstPause{15};
constexpr std::chrono::milliseconds kLongestPause{500};
// 15, 30, 60, 120, 240 ms, then 500 ms each: about 3.5 s in all.
constexpr int kMostRetries = 11;

}  // namespace

std::optional<std::chrono::milliseconds> SharingRetryPause(std::uint32_t error, int retries_made) {
  if (error != kAccessDenied && error != kSharingViolation && error != kLockViolation &&
      error != kUnableToRemoveReplaced) {
    return std::nullopt;
  }
  if (retries_made < 0 || retries_made >= kMostRetries) return std::nullopt;
  // Doubled until the longest pause; the shift stays small.
  return std::min(kFirstPause * (1 << std::min(retries_made, 6)), kLongestPause);
}

}  // namespace marrowpin
