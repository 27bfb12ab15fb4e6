// The console's handler runs on a thread of its own: it takes the table's
// lock, removes what is registered and keeps the lock, since the program
// ends. The window removes the same files when the session ends. A file
// removed while its owner puts it in place fails to go there, or has gone
// there and is no longer at its temporary name: either way nothing is left.

#include "platform/removal_on_interrupt.h"

#include <windows.h>

#include <array>
#include <string>

namespace marrowpin {

namespace {

constexpr std::size_t kSlots = kMostRegisteredRemovals;

struct Slot {
  bool taken = false;
  std::wstring path;
};

SRWLOCK lock = SRWLOCK_INIT;
std::array<Slot, kSlots> slots;

// Removes every registered file with the lock held. A file open for writing
// goes when the ending program closes it.
void RemoveRegistered() {
  for (const Slot& slot : slots) {
    if (slot.taken) DeleteFileW(slot.path.c_str());
  }
}

BOOL WINAPI RemoveOnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  AcquireSRWLockExclusive(&lock);
  RemoveRegistered();
  // Ended with the status of an interrupted console program, as the
  // system's own handling would end it (Wine's would end it with 0, which
  // a script takes for success).
  ExitProcess(static_cast<UINT>(STATUS_CONTROL_C_EXIT));
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
  SetConsoleCtrlHandler(RemoveOnConsoleEvent, TRUE);
}

void RemoveTemporaryFilesNow() {
  AcquireSRWLockExclusive(&lock);
  RemoveRegistered();
  ReleaseSRWLockExclusive(&lock);
}

RemovalOnInterrupt::RemovalOnInterrupt(const std::wstring& path) : slot_(-1) {
  // Copied before the lock is taken: a copy that fails leaves it free.
  std::wstring copy = path;
  AcquireSRWLockExclusive(&lock);
  for (std::size_t i = 0; i < kSlots; ++i) {
    if (slots[i].taken) continue;
    slots[i].path.swap(copy);
    slots[i].taken = true;
    slot_ = static_cast<int>(i);
    break;
  }
  ReleaseSRWLockExclusive(&lock);
}

void RemovalOnInterrupt::Release() {
  if (slot_ < 0) return;
  AcquireSRWLockExclusive(&lock);
  slots[static_cast<std::size_t>(slot_)].taken = false;
  ReleaseSRWLockExclusive(&lock);
  slot_ = -1;
}

}  // namespace marrowpin
