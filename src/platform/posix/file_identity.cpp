#include "platform/posix/file_identity.h"

#include <sys/stat.h>

#include <cstdint>
#include <optional>

#include "platform/file_identity.h"

namespace marrowpin {

FileId IdOf(const struct stat& info) {
  return FileId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<FileId> StandardStreamId(StandardStream stream) {
  struct stat info;
  if (::fstat(static_cast<int>(stream), &info) != 0) return std::nullopt;
  return IdOf(info);
}

}  // namespace marrowpin
