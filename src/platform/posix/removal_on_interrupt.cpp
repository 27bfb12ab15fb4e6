// The handlers run inside a signal: they touch nothing but a fixed table
// and call nothing but async-signal-safe functions (unlinkat, sigaction,
// sigprocmask, raise).

#include "platform/removal_on_interrupt.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>

namespace marrowpin {

namespace {

// Room for a temporary file's name; longer names are not registered.
constexpr std::size_t kNameRoom = 64;
constexpr std::size_t kSlots = kMostRegisteredRemovals;

struct Slot {
  // The folder's descriptor; -1 while the slot is free. Set last, once the
  // name is in place, so that a handler never reads half a name.
  std::atomic<int> folder_fd{-1};
  char name[kNameRoom] = {};
};

std::array<Slot, kSlots> slots;

static_assert(std::atomic<int>::is_always_lock_free, "a handler may only touch lock-free atomics");

void RemoveAndDie(int signal_number) {
  for (Slot& slot : slots) {
    const int folder_fd = slot.folder_fd.load();
    if (folder_fd >= 0) ::unlinkat(folder_fd, slot.name, 0);
  }
  // Dies of the same signal, so that the caller sees what ended the program.
  struct sigaction default_action = {};
  default_action.sa_handler = SIG_DFL;
  ::sigemptyset(&default_action.sa_mask);
  ::sigaction(signal_number, &default_action, nullptr);
  sigset_t this_signal;
  ::sigemptyset(&this_signal);
  ::sigaddset(&this_signal, signal_number);
  ::sigprocmask(SIG_UNBLOCK, &this_signal, nullptr);
  ::raise(signal_number);
}

// Every signal whose default action ends the program without a fault of
// its own: the program may be sent any of them, or run out of a limit.
constexpr int kInterrupts[] = {
    SIGINT,  SIGTERM, SIGHUP,  SIGQUIT, SIGXFSZ,   SIGPIPE,
    SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU, SIGVTALRM, SIGPROF,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
  for (const int signal_number : kInterrupts) {
    struct sigaction current;
    if (::sigaction(signal_number, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
      continue;
    }
    struct sigaction handler = {};
    handler.sa_handler = RemoveAndDie;
    // One handler at a time: a second interrupt waits for the first to end.
    ::sigemptyset(&handler.sa_mask);
    for (const int other : kInterrupts)
      ::sigaddset(&handler.sa_mask, other);
    ::sigaction(signal_number, &handler, nullptr);
  }
}

RemovalOnInterrupt::RemovalOnInterrupt(int folder_fd, const std::string& name) : slot_(-1) {
  if (folder_fd < 0 || name.size() >= kNameRoom) return;
  for (std::size_t i = 0; i < kSlots; ++i) {
    Slot& slot = slots[i];
    if (slot.folder_fd.load() >= 0) continue;
    std::memcpy(slot.name, name.c_str(), name.size() + 1);
    slot.folder_fd.store(folder_fd);
    slot_ = static_cast<int>(i);
    return;
  }
}

InterruptsDeferred::InterruptsDeferred() {
  sigset_t interrupts;
  ::sigemptyset(&interrupts);
  for (const int signal_number : kInterrupts)
    ::sigaddset(&interrupts, signal_number);
  ::sigprocmask(SIG_BLOCK, &interrupts, &previous_);
}

InterruptsDeferred::~InterruptsDeferred() {
  ::sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

void RemovalOnInterrupt::Release() {
  if (slot_ >= 0) slots[static_cast<std::size_t>(slot_)].folder_fd.store(-1);
  slot_ = -1;
}

}  // namespace marrowpin
