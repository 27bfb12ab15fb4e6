#include "platform/posix/handed_on_traits.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/posix/descriptor.h"

namespace marrowpin {

namespace {

// The permission bits a file hands on: not set-user-id, set-group-id or sticky.
constexpr mode_t kPermissionBits = 0777;

// File capabilities make a program privileged: bytes from a note never
// become one by replacing a file that had them.
constexpr std::string_view kCapabilities = "security.capability";

// Copies the extended attributes of `from`, the ACL among them, to `to`;
// an attribute the file system refuses is skipped.
void CopyExtendedAttributes(int from, int to) {
  std::vector<char> names;
  for (ssize_t size; (size = ::flistxattr(from, nullptr, 0)) > 0;) {
    names.resize(static_cast<std::size_t>(size));
    size = ::flistxattr(from, names.data(), names.size());
    if (size >= 0) {
      names.resize(static_cast<std::size_t>(size));
      break;
    }
    if (errno != ERANGE) return;
  }
  std::vector<char> value;
  for (std::size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
    const char* name = names.data() + at;
    if (name == kCapabilities) continue;
    const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
    if (size < 0) continue;
    value.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
    if (got >= 0) ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0);
  }
}

// The permission bits a new named file would have had: 0666 less the umask.
mode_t NewFilePermissions() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// What a regular file hands on, as the look at it saw it; replaced_fd is -1
// where the file could not be opened.
int CopyFileTraits(const LookedEntry& replaced, int replaced_fd, int to) {
  // Failing both, the output stays the program user's, which is no loss.
  if (::fchown(to, replaced.uid, replaced.gid) != 0 &&
      ::fchown(to, static_cast<uid_t>(-1), replaced.gid) != 0) {
    errno = 0;
  }
  // A file this user may not read keeps its attributes to itself.
  if (replaced_fd >= 0) CopyExtendedAttributes(replaced_fd, to);
  return ::fchmod(to, replaced.mode & kPermissionBits) == 0 ? 0 : errno;
}

}  // namespace

int HandOnTraits(const std::optional<LookedEntry>& found, int folder, const std::string& name,
                 int to, bool made_private) {
  if (!found || !S_ISREG(found->mode)) {
    // A private file now gets what a new file gets.
    return !made_private || ::fchmod(to, NewFilePermissions()) == 0 ? 0 : errno;
  }
  const Descriptor replaced(
      ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (replaced.valid()) {
    const std::optional<LookedEntry> opened = LookAt(replaced.get());
    if (!opened || !SameFile(*opened, *found)) return EEXIST;
  }
  return CopyFileTraits(*found, replaced.get(), to);
}

}  // namespace marrowpin
