#include "main/session_end.h"

namespace marrowpin::main {

namespace {

// ENDSESSION_CRITICAL: the system ends the program whatever it answers.
constexpr std::uint32_t kCritical = 0x40000000;

}  // namespace

SessionEndAnswer AnswerQueryEndSession(bool converting, std::uint32_t flags) {
  if (!converting) return SessionEndAnswer::kLetEnd;
  return (flags & kCritical) != 0 ? SessionEndAnswer::kCleanUpAndEnd : SessionEndAnswer::kWait;
}

SessionEndAnswer AnswerEndSession(bool busy, bool ending, bool refused) {
  // After a refusal Windows tells the session goes on (FALSE) and then, when
  // the user shuts down anyway, ends the program with no further word: the
  // clean-up cannot wait for one.
  return busy && (ending || refused) ? SessionEndAnswer::kCleanUpAndEnd : SessionEndAnswer::kLetEnd;
}

}  // namespace marrowpin::main
