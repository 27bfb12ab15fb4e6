#include "platform/sharing_retry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace marrowpin {
namespace {

using std::chrono::milliseconds;

// The codes as Windows gives them, written out as numbers: the rule must
// hold for the values the system really uses, not for names the code
// defines.
TEST(SharingRetryTest, RetriesOnlyFailuresThatAnotherProgramsHandleCauses) {
  const struct {
    const char* what;
    std::uint32_t error;
    bool retried;
  } cases[] = {
      {"ERROR_SHARING_VIOLATION", 32, true},
      {"ERROR_ACCESS_DENIED (delete pending, or held by a scanner)", 5, true},
      {"ERROR_LOCK_VIOLATION", 33, true},
      {"ERROR_UNABLE_TO_REMOVE_REPLACED (both keep their names)", 1175, true},
      {"ERROR_SUCCESS", 0, false},
      {"ERROR_FILE_NOT_FOUND", 2, false},
      {"ERROR_PATH_NOT_FOUND", 3, false},
      {"ERROR_NOT_SAME_DEVICE", 17, false},
      {"ERROR_WRITE_PROTECT", 19, false},
      {"ERROR_FILE_EXISTS", 80, false},
      {"ERROR_DISK_FULL", 112, false},
      {"ERROR_ALREADY_EXISTS", 183, false},
      {"ERROR_FILENAME_EXCED_RANGE", 206, false},
      {"ERROR_UNABLE_TO_MOVE_REPLACEMENT (old file gone)", 1176, false},
      {"ERROR_UNABLE_TO_MOVE_REPLACEMENT_2", 1177, false},
      {"ERROR_NOT_ENOUGH_QUOTA", 1816, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SharingRetryPause(c.error, 0).has_value(), c.retried) << c.what;
    EXPECT_EQ(SharingRetryPause(c.error, 5).has_value(), c.retried) << c.what;
  }
}

// A scanner holds a file for some tens of milliseconds, a viewer for a
// second or so: the first pauses are short, they grow, and the retries end
// after a few seconds, so that a file held for good fails in time.
TEST(SharingRetryTest, PausesGrowAndEndAfterAFewSeconds) {
  for (const std::uint32_t error : {5u, 32u, 33u, 1175u}) {
    milliseconds total{0};
    milliseconds previous{0};
    int retries = 0;
    for (; const auto pause = SharingRetryPause(error, retries); ++retries) {
      ASSERT_LT(retries, 100) << error;
      EXPECT_GE(*pause, previous) << error << " retry " << retries;
      EXPECT_LE(*pause, milliseconds{1000}) << error << " retry " << retries;
      previous = *pause;
      total += *pause;
    }
    EXPECT_LE(*SharingRetryPause(error, 0), milliseconds{50}) << error;
    EXPECT_GT(previous, *SharingRetryPause(error, 0) * 4) << error;
    EXPECT_GE(total, milliseconds{2000}) << error;
    EXPECT_LE(total, milliseconds{6000}) << error;
    EXPECT_FALSE(SharingRetryPause(error, retries + 1).has_value()) << error;
  }
}

}  // namespace
}  // namespace marrowpin
