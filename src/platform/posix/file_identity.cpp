#include "platform/posix/file_identity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdint>
#include <optional>

#include "platform/file_identity.h"

namespace marrowpin {

FileId IdOf(const struct stat& info) {
  return FileId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

namespace {

std::optional<LookedEntry> Look(int dir_fd, const char* name, int flags) {
  struct statx info;
  if (::statx(dir_fd, name, flags, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
    return std::nullopt;
  }
  LookedEntry entry;
  entry.mode = info.stx_mode;
  entry.uid = info.stx_uid;
  entry.gid = info.stx_gid;
  entry.id = FileId{static_cast<std::uint64_t>(makedev(info.stx_dev_major, info.stx_dev_minor)),
                    info.stx_ino};
  if ((info.stx_mask & STATX_BTIME) != 0) {
    entry.born.emplace(info.stx_btime.tv_sec, info.stx_btime.tv_nsec);
  }
  return entry;
}

}  // namespace

std::optional<LookedEntry> LookAt(int folder_fd, const char* name) {
  return Look(folder_fd, name, AT_SYMLINK_NOFOLLOW);
}

std::optional<LookedEntry> LookAt(int fd) {
  return Look(fd, "", AT_EMPTY_PATH);
}

bool SameFile(const LookedEntry& a, const LookedEntry& b) {
  return a.id == b.id && (!a.born || !b.born || *a.born == *b.born);
}

std::optional<FileId> StandardStreamId(StandardStream stream) {
  struct stat info;
  if (::fstat(static_cast<int>(stream), &info) != 0) return std::nullopt;
  return IdOf(info);
}

}  // namespace marrowpin
