#pragma once

#include <cstdint>

namespace marrowpin::main {

// What the main window does when Windows asks whether the session may end,
// or tells that it ends.
enum class SessionEndAnswer {
  // Nothing of the window's own is at stake: the session may end.
  kLetEnd,
  // Refused, with the reason the window has given Windows: notes are being
  // converted.
  kWait,
  // The session ends whatever the window says: the note in hand's temporary
  // file is removed and the program ends at once.
  kCleanUpAndEnd,
};

// WM_QUERYENDSESSION: `converting` while notes are being converted; `flags`
// its lParam (ENDSESSION_CLOSEAPP, ENDSESSION_CRITICAL, ENDSESSION_LOGOFF).
SessionEndAnswer AnswerQueryEndSession(bool converting, std::uint32_t flags);

// WM_ENDSESSION: `busy` while a batch or a folder scan runs; `ending` its
// wParam; `refused` whether the window refused the query before it.
SessionEndAnswer AnswerEndSession(bool busy, bool ending, bool refused);

}  // namespace marrowpin::main
