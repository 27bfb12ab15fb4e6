#include "main/session_end.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace marrowpin::main {
namespace {

// The lParam flags as Windows sends them, written out as numbers.
constexpr std::uint32_t kShutDown = 0x00000000;
constexpr std::uint32_t kCloseApp = 0x00000001;  // ENDSESSION_CLOSEAPP
constexpr std::uint32_t kCritical = 0x40000000;  // ENDSESSION_CRITICAL
constexpr std::uint32_t kLogOff = 0x80000000;    // ENDSESSION_LOGOFF

TEST(SessionEndTest, QueryWaitsWhileConvertingUnlessTheEndIsForced) {
  const struct {
    const char* what;
    bool converting;
    std::uint32_t flags;
    SessionEndAnswer answer;
  } cases[] = {
      {"idle, shutting down", false, kShutDown, SessionEndAnswer::kLetEnd},
      {"idle, forced log-off", false, kCritical | kLogOff, SessionEndAnswer::kLetEnd},
      {"converting, shutting down", true, kShutDown, SessionEndAnswer::kWait},
      {"converting, logging off", true, kLogOff, SessionEndAnswer::kWait},
      {"converting, a file to replace", true, kCloseApp, SessionEndAnswer::kWait},
      {"converting, forced shutdown", true, kCritical, SessionEndAnswer::kCleanUpAndEnd},
      {"converting, forced log-off", true, kCritical | kLogOff, SessionEndAnswer::kCleanUpAndEnd},
      {"converting, forced for a file", true, kCritical | kCloseApp,
       SessionEndAnswer::kCleanUpAndEnd},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnswerQueryEndSession(c.converting, c.flags), c.answer) << c.what;
  }
}

// The documented sequences: a query answered TRUE is followed by
// WM_ENDSESSION(TRUE); one refused by WM_ENDSESSION(FALSE), after which
// Windows ends the program without a word if the user shuts down anyway.
TEST(SessionEndTest, EndCleansUpWhenTheSessionEndsOrAfterTheWindowRefused) {
  const struct {
    const char* what;
    bool busy;
    bool ending;
    bool refused;
    SessionEndAnswer answer;
  } cases[] = {
      {"idle, session ends", false, true, false, SessionEndAnswer::kLetEnd},
      {"idle, another program refused", false, false, false, SessionEndAnswer::kLetEnd},
      {"busy, session ends", true, true, false, SessionEndAnswer::kCleanUpAndEnd},
      {"busy, session ends after a refusal", true, true, true, SessionEndAnswer::kCleanUpAndEnd},
      {"busy, after the window refused", true, false, true, SessionEndAnswer::kCleanUpAndEnd},
      {"busy, another program refused", true, false, false, SessionEndAnswer::kLetEnd},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnswerEndSession(c.busy, c.ending, c.refused), c.answer) << c.what;
  }
}

}  // namespace
}  // namespace marrowpin::main
