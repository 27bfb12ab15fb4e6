#pragma once

#include <cstdint>
#include <map>

namespace marrowpin {

// Flushes of whole file systems, shared by the outputs of one run: one
// flush writes out and commits everything on its file system, so that it
// serves every output whose bytes (or name) had reached the disk before it
// started. Counted per file system, so that an output can tell whether a
// flush has come since.
class DiskFlushes {
 public:
  // Whether one flush of the file system that fd is on reaches the disk for
  // every file on it: one whose journal or tree that flush commits (ext2 to
  // ext4, XFS, btrfs). Elsewhere (FAT, a FUSE file system) each file is
  // flushed on its own.
  static bool ServeWholeFileSystem(int fd);

  // How many flushes of the file system `device` have been made so far.
  std::uint64_t Count(std::uint64_t device) const;
  // Flushes the file system that fd is on, which is `device`; 0, or errno.
  int Flush(int fd, std::uint64_t device);

 private:
  std::map<std::uint64_t, std::uint64_t> counts_;
};

}  // namespace marrowpin
