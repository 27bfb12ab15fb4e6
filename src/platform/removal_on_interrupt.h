#pragma once

#include <cstddef>
#include <string>

#ifndef _WIN32
#include <signal.h>
#endif

namespace marrowpin {

// Makes an interrupted program remove the temporary files registered below
// before it ends as it would have. POSIX: SIGINT, SIGTERM, SIGHUP, SIGQUIT,
// SIGXFSZ, SIGPIPE, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU, SIGVTALRM, SIGPROF,
// SIGPOLL and SIGPWR, each while it keeps its default action; the program
// then dies of the same signal. Windows: Ctrl+C, Ctrl+Break and closing the
// console, after which the program ends with STATUS_CONTROL_C_EXIT. A signal
// the caller has the program ignore stays ignored. Only a console program
// calls this, once, at its start.
void RemoveTemporaryFilesOnInterrupt();

#ifdef _WIN32
// Removes the files registered below at once, as an interrupt would: the
// session is ending, and the program with it. A file still open goes when
// the program ends.
void RemoveTemporaryFilesNow();
#endif

// How many temporary files may be registered at one time: more than the
// outputs that wait to be put in place together.
inline constexpr std::size_t kMostRegisteredRemovals = 72;

// A temporary file that an interrupt removes while it is registered.
class RemovalOnInterrupt {
 public:
#ifdef _WIN32
  // The file at path, which must be open with FILE_SHARE_DELETE.
  explicit RemovalOnInterrupt(const std::wstring& path);
#else
  // The entry `name` in the folder open as folder_fd, which must stay open.
  RemovalOnInterrupt(int folder_fd, const std::string& name);
#endif
  ~RemovalOnInterrupt() {
    Release();
  }
  RemovalOnInterrupt(const RemovalOnInterrupt&) = delete;
  RemovalOnInterrupt& operator=(const RemovalOnInterrupt&) = delete;

  // No longer removed: the file is in place, or removed by its owner.
  void Release();

 private:
  int slot_;  // -1 when every slot is taken
};

#ifndef _WIN32
// Holds back the signals above while it lives, so that a temporary file
// is created and registered as one step: an interrupt between the two
// would leave the file behind. A held-back signal arrives on destruction.
class InterruptsDeferred {
 public:
  InterruptsDeferred();
  ~InterruptsDeferred();
  InterruptsDeferred(const InterruptsDeferred&) = delete;
  InterruptsDeferred& operator=(const InterruptsDeferred&) = delete;

 private:
  sigset_t previous_;
};
#endif

}  // namespace marrowpin
