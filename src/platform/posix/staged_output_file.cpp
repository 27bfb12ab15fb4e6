// Every step works relative to the output's folder, held open from the
// start of the output to its rename: no folder renamed or swapped for a
// link meanwhile can send the bytes, or the rename, anywhere else.
//
// On Linux the bytes go to a file without a name (O_TMPFILE): nobody can
// open it, and it vanishes with the process whatever ends it. Created with
// mode 0666, it gets the permissions of any new file there, after the umask
// or the folder's default ACL. Elsewhere, and where the file system makes no
// unnamed files, they go to a named temporary file of mode 0600 that an
// interrupt removes.

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/descriptor.h"
#include "platform/posix/file_identity.h"
#include "platform/posix/handed_on_traits.h"
#include "platform/removal_on_interrupt.h"
#include "platform/staged_output_base.h"
#include "platform/staged_output_file.h"
#include "platform/temporary_file_name.h"

namespace marrowpin {

namespace {

// The permission bits a new named file would have had: 0666 less the umask.
mode_t NewFilePermissions() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Whether a failure to make an unnamed file means that the file system (or
// the kernel) cannot make one, so that a named file may do.
bool MakesNoUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// Where the program's open files can be named, as linking an unnamed file
// without privileges needs.
constexpr const char* kOwnDescriptors = "/proc/self/fd/";

// Links the open unnamed file `fd` as `name` in `folder`; fails with EEXIST
// when any entry is there.
bool LinkUnnamed(int fd, int folder, const std::string& name) {
  const std::string own_path = kOwnDescriptors + std::to_string(fd);
  return ::linkat(AT_FDCWD, own_path.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

class StagedOutputFile final : public StagedOutputBase {
 public:
  // temporary_name: the file's name in folder; empty when it has none.
  // found: the entry that stood at name when the output was started.
  StagedOutputFile(Descriptor folder, Descriptor file, std::string temporary_name, std::string name,
                   std::optional<LookedEntry> found)
      : folder_(std::move(folder)),
        file_(std::move(file)),
        temporary_name_(std::move(temporary_name)),
        name_(std::move(name)),
        found_(found) {}
  ~StagedOutputFile() override {
    file_.Close();
    if (!committed()) RemoveTemporaryName();
  }
  StagedOutputFile(const StagedOutputFile&) = delete;
  StagedOutputFile& operator=(const StagedOutputFile&) = delete;

  // Keeps the named file's removal on an interrupt, which needs the folder
  // held here; registered by the creator while interrupts wait.
  void RemoveOnInterrupt() { removal_.emplace(folder_.get(), temporary_name_); }

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
  std::optional<Entry> EntryAtName() const override {
    if (!found_) return Entry{};
    return Entry{S_ISLNK(found_->mode) ? Entry::Kind::kLink : Entry::Kind::kFile, found_->id};
  }
  bool Commit() override {
    if (!TakeOverTheReplacedFile()) return false;
    const bool placed = temporary_name_.empty() && !found_ ? LinkNewOutput() : RenameIntoPlace();
    if (!placed) return false;
    MarkCommitted();
    removal_.reset();
    return true;
  }

 private:
  // Gives the file what the regular file it replaces hands on, while nobody
  // else can open it yet. A new output, or one that replaces a link, a FIFO
  // or a device, keeps the permissions of any new file: whoever planted such
  // an entry must not get the output. Only the file that was looked at hands
  // anything on.
  bool TakeOverTheReplacedFile() {
    if (!found_ || !S_ISREG(found_->mode)) {
      // A named file was made private; now it gets what a new file gets.
      const bool named = !temporary_name_.empty();
      return !named || ::fchmod(file_.get(), NewFilePermissions()) == 0 || Fail(errno);
    }
    const Descriptor replaced(
        ::openat(folder_.get(), name_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (replaced.valid()) {
      const std::optional<LookedEntry> opened = LookAt(replaced.get());
      if (!opened || !SameFile(*opened, *found_)) return Fail(EEXIST);
    }
    const int error = HandOnTraits(*found_, replaced.get(), file_.get());
    return error == 0 || Fail(error);
  }
  // Gives a new output its name in one step, which fails where any entry
  // has come to the name since the output was started.
  bool LinkNewOutput() {
    if (!LinkUnnamed(file_.get(), folder_.get(), name_)) return Fail(errno);
    // A file system that reports write errors only on closing: the output
    // that failed there is taken back.
    if (file_.Close() != 0) {
      const int error = errno;
      ::unlinkat(folder_.get(), name_.c_str(), 0);
      return Fail(error);
    }
    return true;
  }
  // Puts a named file at its name: one that replaces goes over the entry
  // looked at, and only while that entry is still there; a new one never
  // replaces an entry that has appeared since it was started. An unnamed
  // file is first linked to a temporary name.
  bool RenameIntoPlace() {
    if (temporary_name_.empty() && !LinkToTemporaryName()) return false;
    if (file_.Close() != 0) return Fail(errno);
    if (!found_) return RenameToFreeName();
    const std::optional<LookedEntry> now = LookAt(folder_.get(), name_.c_str());
    if (!now) return Fail(errno);
    if (!SameFile(*now, *found_)) return Fail(EEXIST);
    // A plain rename over an old output: file systems that delay writing a
    // file's blocks write them out before such a rename, so that after a
    // crash either the old output or the new one is there whole.
    return ::renameat(folder_.get(), temporary_name_.c_str(), folder_.get(), name_.c_str()) == 0 ||
           Fail(errno);
  }
  bool LinkToTemporaryName() {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      std::string temporary = TemporaryFileName();
      const InterruptsDeferred until_registered;
      if (LinkUnnamed(file_.get(), folder_.get(), temporary)) {
        temporary_name_ = std::move(temporary);
        RemoveOnInterrupt();
        return true;
      }
      if (errno != EEXIST) break;
    }
    return Fail(errno);
  }
  bool RenameToFreeName() {
#ifdef RENAME_NOREPLACE
    if (::renameat2(folder_.get(), temporary_name_.c_str(), folder_.get(), name_.c_str(),
                    RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return Fail(errno);
#endif
    // A file system that cannot refuse to replace: a second link fails as
    // that rename would.
    if (::linkat(folder_.get(), temporary_name_.c_str(), folder_.get(), name_.c_str(), 0) != 0) {
      return Fail(errno);
    }
    ::unlinkat(folder_.get(), temporary_name_.c_str(), 0);
    return true;
  }
  void RemoveTemporaryName() {
    if (!temporary_name_.empty()) ::unlinkat(folder_.get(), temporary_name_.c_str(), 0);
  }
  // Keeps the system's word on the first failure; always false.
  bool Fail(int error) {
    return Failed(std::strerror(error));
  }

  Descriptor folder_;
  Descriptor file_;
  std::string temporary_name_;
  std::string name_;
  std::optional<LookedEntry> found_;
  std::optional<RemovalOnInterrupt> removal_;
};

// The output's own folder: folder, then each subfolder part of name, none
// of them followed if it is a link. Held without reading it (O_PATH), so
// that a folder others may write into but not list takes outputs. The last
// part of name goes to *last.
Descriptor OpenOutputFolder(const std::string& folder, std::string_view name, std::string* last) {
  Descriptor held(::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  for (std::size_t slash; held.valid() && (slash = name.find('/')) != std::string_view::npos;
       name.remove_prefix(slash + 1)) {
    const std::string part(name.substr(0, slash));
    if (part.empty()) continue;
    held = Descriptor(
        ::openat(held.get(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  }
  *last = std::string(name);
  return held;
}

std::unique_ptr<OutputFile> Start(const std::string& folder, const std::string& name,
                                  CreationFailure* failure, bool unnamed_first) {
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
  // The one look at the name: what it finds is what may be replaced.
  const std::optional<LookedEntry> found = LookAt(held.get(), last.c_str());
  if (!found && errno != ENOENT) return fail(errno);
  if (found && S_ISDIR(found->mode)) return fail(EISDIR);
#ifdef O_TMPFILE
  // Without /proc an unnamed file could never be given its name.
  if (unnamed_first && ::access(kOwnDescriptors, F_OK) == 0) {
    Descriptor file(::openat(held.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (file.valid()) {
      return std::make_unique<StagedOutputFile>(std::move(held), std::move(file), std::string(),
                                                std::move(last), found);
    }
    if (!MakesNoUnnamedFiles(errno)) return fail(errno);
  }
#else
  (void)unnamed_first;
#endif
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string temporary = TemporaryFileName();
    const InterruptsDeferred until_registered;
    // O_EXCL: a new file, never one that is there, nor through a link; 0600:
    // nobody else reads the bytes before they are in place.
    Descriptor file(::openat(held.get(), temporary.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.valid()) {
      auto output = std::make_unique<StagedOutputFile>(
          std::move(held), std::move(file), std::move(temporary), std::move(last), found);
      output->RemoveOnInterrupt();
      return output;
    }
    if (errno != EEXIST) break;
  }
  return fail(errno);
}

}  // namespace

std::unique_ptr<OutputFile> StartStagedOutput(const std::string& folder, const std::string& name,
                                              CreationFailure* failure) {
  return Start(folder, name, failure, true);
}

std::unique_ptr<OutputFile> StartNamedStagedOutput(const std::string& folder,
                                                   const std::string& name,
                                                   CreationFailure* failure) {
  return Start(folder, name, failure, false);
}

}  // namespace marrowpin
