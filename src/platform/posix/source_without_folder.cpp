#include "platform/source_without_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#ifdef __linux__
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

#include "core/paths.h"

namespace marrowpin {

namespace {

// Links followed before giving up, as the kernel does.
constexpr int kMostLinks = 40;

// Whether the link at path is one of the kernel's links to an open file
// (/proc/self/fd/N), which lead to a file without naming its folder.
bool IsDescriptorLink(const std::string& path) {
#ifdef __linux__
  const std::string folder(FolderWithSeparator(path, PathStyle::kPosix));
  struct statfs file_system;
  return ::statfs(folder.empty() ? "." : folder.c_str(), &file_system) == 0 &&
         file_system.f_type == PROC_SUPER_MAGIC;
#else
  (void)path;
  return false;
#endif
}

}  // namespace

bool HasNoFolderOfItsOwn(const std::string& path) {
  struct stat target;
  if (::stat(path.c_str(), &target) != 0) return false;
  if (!S_ISREG(target.st_mode)) return true;
  std::string at = path;
  for (int links = 0; links < kMostLinks; ++links) {
    struct stat entry;
    if (::lstat(at.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return false;
    if (IsDescriptorLink(at)) return true;
    std::string target_path(static_cast<std::size_t>(entry.st_size > 0 ? entry.st_size : 4096) + 1,
                            '\0');
    const ssize_t size = ::readlink(at.c_str(), target_path.data(), target_path.size());
    if (size <= 0 || static_cast<std::size_t>(size) >= target_path.size()) return false;
    target_path.resize(static_cast<std::size_t>(size));
    at = target_path.front() == '/'
             ? target_path
             : std::string(FolderWithSeparator(at, PathStyle::kPosix)) + target_path;
  }
  return false;
}

}  // namespace marrowpin
