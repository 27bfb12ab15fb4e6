#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "core/file_system.h"

namespace marrowpin {

// The identity of the file that info describes: its device and inode.
FileId IdOf(const struct stat& info);

// What one look at an entry saw: what it hands on, and enough to know it again.
struct LookedEntry {
  mode_t mode = 0;
  uid_t uid = 0;
  gid_t gid = 0;
  FileId id;
  // When the file was made, where the file system keeps that: a number
  // freed and given to a new file does not make it the same file.
  std::optional<std::pair<std::int64_t, std::uint32_t>> born;
};

// The entry `name` in the folder open as folder_fd, a link not followed;
// nullopt, with errno set, when there is none or it cannot be looked at.
std::optional<LookedEntry> LookAt(int folder_fd, const char* name);
// The file open as fd.
std::optional<LookedEntry> LookAt(int fd);

// Whether two looks saw the same file.
bool SameFile(const LookedEntry& a, const LookedEntry& b);

}  // namespace marrowpin
