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

int DiskFlushes::Flush([[maybe_unused]] int fd, std::uint64_t device) {
#ifdef __linux__
  // Also writes out what others left unwritten on the file system; ours is
  // on the disk already, waiting for the disk's cache to be flushed.
  if (::syncfs(fd) != 0) return errno;
  ++counts_[device];
  return 0;
#else
  (void)device;
  return ENOSYS;
#endif
}

}  // namespace marrowpin
