// Every step works relative to the output's folder, held open from the
// start of the output to its rename: no folder renamed or swapped for a
// link meanwhile can send the bytes, or the rename, anywhere else.

#include "platform/staged_output_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/removal_on_interrupt.h"
#include "platform/staged_output_base.h"
#include "platform/temporary_file_name.h"

namespace marrowpin {

namespace {

// The permission bits a file hands on: not set-user-id, set-group-id or sticky.
constexpr mode_t kPermissionBits = 0777;

// A descriptor closed with its owner.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Close(); }
  Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      Close();
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes it now; the result of close(2).
  int Close() {
    const int result = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// The permission bits a new file gets here: 0666 less the umask.
mode_t NewFilePermissions() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

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
    const ssize_t size = ::fgetxattr(from, name, nullptr, 0);
    if (size < 0) continue;
    value.resize(static_cast<std::size_t>(size));
    const ssize_t got = ::fgetxattr(from, name, value.data(), value.size());
    if (got >= 0) ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0);
  }
}

class StagedOutputFile final : public StagedOutputBase {
 public:
  StagedOutputFile(Descriptor folder, Descriptor file, std::string temporary_name, std::string name,
                   bool replaces)
      : folder_(std::move(folder)),
        file_(std::move(file)),
        temporary_name_(std::move(temporary_name)),
        name_(std::move(name)),
        replaces_(replaces),
        removal_(folder_.get(), temporary_name_) {}
  ~StagedOutputFile() override {
    file_.Close();
    if (!committed()) ::unlinkat(folder_.get(), temporary_name_.c_str(), 0);
  }
  StagedOutputFile(const StagedOutputFile&) = delete;
  StagedOutputFile& operator=(const StagedOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t written = ::write(file_.get(), bytes, size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return Fail(written == 0 ? ENOSPC : errno);
      bytes += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    const auto offset = static_cast<off_t>(size);
    return (::ftruncate(file_.get(), offset) == 0 &&
            ::lseek(file_.get(), offset, SEEK_SET) == offset) ||
           Fail(errno);
  }
  bool Commit() override {
    if (!TakeOverTheReplacedFile()) return false;
    if (file_.Close() != 0) return Fail(errno);
    if (!Rename()) return Fail(errno);
    MarkCommitted();
    removal_.Release();
    return true;
  }

 private:
  // Gives the file what the regular file it replaces has: its owner and
  // group where this program may set them, its extended attributes and its
  // permission bits. A new output, or one that replaces a link, a FIFO or a
  // device, gets the permissions of any new file instead: whoever planted
  // that entry must not get the output. Until here the file was private.
  bool TakeOverTheReplacedFile() {
    mode_t permissions = NewFilePermissions();
    struct stat old_file;
    if (::fstatat(folder_.get(), name_.c_str(), &old_file, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(old_file.st_mode)) {
      // Failing both, the output stays the program user's, which is no loss.
      if (::fchown(file_.get(), old_file.st_uid, old_file.st_gid) != 0 &&
          ::fchown(file_.get(), static_cast<uid_t>(-1), old_file.st_gid) != 0) {
        errno = 0;
      }
      // Its attributes are read from the file itself, once it is sure to be
      // the one looked at (a file this user may not read keeps none).
      const Descriptor replaced(
          ::openat(folder_.get(), name_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
      struct stat opened;
      if (replaced.valid() && ::fstat(replaced.get(), &opened) == 0 &&
          opened.st_ino == old_file.st_ino && opened.st_dev == old_file.st_dev) {
        CopyExtendedAttributes(replaced.get(), file_.get());
      }
      permissions = old_file.st_mode & kPermissionBits;
    }
    return ::fchmod(file_.get(), permissions) == 0 || Fail(errno);
  }
  // Puts the file at its name in one step. A plain rename over an old
  // output: file systems that delay writing a file's blocks write them out
  // before such a rename, so that after a crash either the old output or
  // the new one is there whole. A new output never replaces an entry that
  // has appeared since it was started.
  bool Rename() {
#ifdef RENAME_NOREPLACE
    if (!replaces_) {
      if (::renameat2(folder_.get(), temporary_name_.c_str(), folder_.get(), name_.c_str(),
                      RENAME_NOREPLACE) == 0) {
        return true;
      }
      // A file system that cannot refuse to replace takes the plain rename.
      if (errno != EINVAL && errno != ENOSYS) return false;
    }
#endif
    return ::renameat(folder_.get(), temporary_name_.c_str(), folder_.get(), name_.c_str()) == 0;
  }
  // Keeps the system's word on the first failure; always false.
  bool Fail(int error) {
    return Failed(std::strerror(error));
  }

  Descriptor folder_;
  Descriptor file_;
  std::string temporary_name_;
  std::string name_;
  bool replaces_;
  RemovalOnInterrupt removal_;
};

// The output's own folder: folder, then each subfolder part of name, none
// of them followed if it is a link. The last part of name goes to *last.
Descriptor OpenOutputFolder(const std::string& folder, std::string_view name, std::string* last) {
  Descriptor held(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  for (std::size_t slash; held.valid() && (slash = name.find('/')) != std::string_view::npos;
       name.remove_prefix(slash + 1)) {
    const std::string part(name.substr(0, slash));
    if (part.empty()) continue;
    held = Descriptor(
        ::openat(held.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  }
  *last = std::string(name);
  return held;
}

}  // namespace

std::unique_ptr<OutputFile> StartStagedOutput(const std::string& folder, const std::string& name,
                                              CreationFailure* failure) {
  const auto fail = [&](int error) {
    failure->reason = std::strerror(error);
    failure->name_too_long = error == ENAMETOOLONG;
    return nullptr;
  };
  std::string last;
  Descriptor held = OpenOutputFolder(folder, name, &last);
  if (!held.valid()) return fail(errno);
  if (last.empty()) return fail(EISDIR);
  const long name_max = ::fpathconf(held.get(), _PC_NAME_MAX);
  if (name_max > 0 && last.size() > static_cast<std::size_t>(name_max)) return fail(ENAMETOOLONG);
  struct stat entry;
  const bool replaces = ::fstatat(held.get(), last.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0;
  if (replaces && S_ISDIR(entry.st_mode)) return fail(EISDIR);
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string temporary = TemporaryFileName();
    const InterruptsDeferred until_registered;
    // O_EXCL: a new file, never one that is there, nor through a link; 0600:
    // nobody else reads the bytes before they are in place.
    Descriptor file(::openat(held.get(), temporary.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.valid()) {
      return std::make_unique<StagedOutputFile>(std::move(held), std::move(file),
                                                std::move(temporary), std::move(last), replaces);
    }
    if (errno != EEXIST) break;
  }
  return fail(errno);
}

}  // namespace marrowpin
