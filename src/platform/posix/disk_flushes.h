#pragma once

#include <cstdint>
#include <map>

namespace marrowpin {

// Flushes of whole file systems, shared by the outputs of one run: one
// flush writes out and commits everything on its file system, so that it
// serves every output whose bytes (or name) were there before it started.
// Counted per file system, so that an output can tell whether a flush has
// come since. As it writes out what others left unwritten on the file
// system too, it is made only where enough outputs wait for one.
class DiskFlushes {
 public:
  // Outputs that must wait for a flush before one is made for them all.
  static constexpr int kOutputsWorthAWholeFlush = 8;

  // Whether one flush of the file system that fd is on reaches the disk for
  // every file on it: one whose journal or tree that flush commits (ext2 to
  // ext4, XFS, btrfs). Elsewhere (FAT, a FUSE file system) each file is
  // flushed on its own.
  static bool ServeWholeFileSystem(int fd);

  // How many flushes of the file system `device` have been made so far.
  std::uint64_t Count(std::uint64_t device) const;
  // One more output on `device` waits for a flush; one that was flushed on
  // its own waits no more.
  void Wait(std::uint64_t device) { ++waiting_[device]; }
  void Served(std::uint64_t device);
  // Whether enough outputs wait on `device` for one flush of the whole.
  bool WorthFlushingWhole(std::uint64_t device) const;
  // Flushes the file system that fd is on, which is `device`, for every
  // output waiting there; 0, or errno.
  int Flush(int fd, std::uint64_t device);

 private:
  std::map<std::uint64_t, std::uint64_t> counts_;
  std::map<std::uint64_t, int> waiting_;
};

}  // namespace marrowpin
