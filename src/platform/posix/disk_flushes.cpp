#include "platform/posix/disk_flushes.h"

#include <unistd.h>

#include <cerrno>

#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

namespace marrowpin {

bool DiskFlushes::ServeWholeFileSystem([[maybe_unused]] int fd) {
#ifdef __linux__
  struct statfs info;
  if (::fstatfs(fd, &info) != 0) return false;
  switch (info.f_type) {
    case EXT4_SUPER_MAGIC:  // ext2 and ext3 too
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
      return true;
    default:
      return false;
  }
#else
  return false;
#endif
}

std::uint64_t DiskFlushes::Count(std::uint64_t device) const {
  const auto found = counts_.find(device);
  return found == counts_.end() ? 0 : found->second;
}

void DiskFlushes::Served(std::uint64_t device) {
  int& waiting = waiting_[device];
  if (waiting > 0) --waiting;
}

bool DiskFlushes::WorthFlushingWhole(std::uint64_t device) const {
  const auto found = waiting_.find(device);
  return found != waiting_.end() && found->second >= kOutputsWorthAWholeFlush;
}

int DiskFlushes::Flush([[maybe_unused]] int fd, std::uint64_t device) {
#ifdef __linux__
  // Writes out every file's bytes at once, commits the journal and flushes
  // the disk's cache; reports write-back errors since fd was opened.
  if (::syncfs(fd) != 0) return errno;
  ++counts_[device];
  waiting_[device] = 0;
  return 0;
#else
  (void)device;
  return ENOSYS;
#endif
}

}  // namespace marrowpin
