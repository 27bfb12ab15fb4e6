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
//
// The bytes start on their way to the disk as they are written, and are on
// it before the file takes its name; the name is flushed after that, so that
// an output once in place survives a power cut. Where one flush of the whole
// file system reaches the disk for every file on it, outputs share it.

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/descriptor.h"
#include "platform/posix/disk_flushes.h"
#include "platform/posix/file_identity.h"
#include "platform/posix/file_system_refusals.h"
#include "platform/posix/handed_on_traits.h"
#include "platform/removal_on_interrupt.h"
#include "platform/staged_output_base.h"
#include "platform/staged_output_file.h"
#include "platform/temporary_file_name.h"

namespace marrowpin {

namespace {

// What an output's file is while it is written, which decides how it takes
// its name.
enum class Staging {
  // Without a name: linked to its name where nothing was found there, else
  // first to a temporary name, and then renamed as a named replacing one.
  kUnnamed,
  // A temporary name, renamed to a name where nothing was found, never over
  // an entry that has come there since.
  kNamedNew,
  // A temporary name, renamed over the entry found, while it is still there.
  kNamedReplacing,
};

// Whether a failure to make an unnamed file means that the file system (or
// the kernel) cannot make one, so that a named file may do.
bool MakesNoUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

// A system call's failure with `error`, for an operation taken as refused.
int Refused(int error) {
  errno = error;
  return -1;
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

// Written bytes after which an output's write-back is started.
constexpr std::uint64_t kWriteBackStartBytes = 1 << 20;

class StagedOutputFile final : public StagedOutputBase {
 public:
  // temporary_name: the file's name in folder; empty when it has none.
  // found: the entry that stood at name when the output was started.
  // flushes: the run's flushes of whole file systems, which it shares
  // where they serve its file system. refused: what the file system is
  // taken to refuse.
  StagedOutputFile(Descriptor folder, Descriptor file, std::string temporary_name, std::string name,
                   std::optional<LookedEntry> found, DiskFlushes& flushes,
                   FileSystemRefusals refused)
      : folder_(std::move(folder)),
        file_(std::move(file)),
        temporary_name_(std::move(temporary_name)),
        name_(std::move(name)),
        found_(found),
        staging_(temporary_name_.empty() ? Staging::kUnnamed
                 : found_                ? Staging::kNamedReplacing
                                         : Staging::kNamedNew),
        flushes_(flushes),
        refused_(refused),
        whole_(DiskFlushes::ServeWholeFileSystem(file_.get())) {
    const std::optional<LookedEntry> looked = LookAt(file_.get());
    device_ = looked ? looked->id.device : 0;
  }
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
    unstarted_ += size;
    while (size > 0) {
      const ssize_t written = ::write(file_.get(), bytes, size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return Fail(written == 0 ? ENOSPC : errno);
      bytes += written;
      size -= static_cast<std::size_t>(written);
    }
#ifdef SYNC_FILE_RANGE_WRITE
    // Started a megabyte at a time, the write-back goes on while the rest
    // is decoded; only a hint, so its failure shows at the flush. Small
    // outputs are left to their flush, which writes many out together.
    if (unstarted_ >= kWriteBackStartBytes) {
      ::sync_file_range(file_.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
      unstarted_ = 0;
    }
#endif
    finished_at_.reset();
    durable_ = false;
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    const auto offset = static_cast<off_t>(size);
    finished_at_.reset();
    durable_ = false;
    return (::ftruncate(file_.get(), offset) == 0 &&
            ::lseek(file_.get(), offset, SEEK_SET) == offset) ||
           Fail(errno);
  }
  std::optional<Entry> EntryAtName() const override {
    if (!found_) return Entry{};
    return Entry{S_ISLNK(found_->mode) ? Entry::Kind::kLink : Entry::Kind::kFile, found_->id};
  }
  // What the replaced file hands on is given here, so that the flush that
  // makes the bytes durable takes it too.
  bool FinishWriting() override {
    if (finished_at_) return true;
    if (!TakeOverTheReplacedFile()) return false;
    finished_at_ = flushes_.Count(device_);
    if (whole_) flushes_.Wait(device_);
    return true;
  }
  bool MakeDurable() override {
    if (durable_) return true;
    if (!FinishWriting()) return false;
    // Where the file system does not commit everything together, the
    // traits handed on are flushed with the bytes. This also reports what
    // some file systems report only on closing.
    const int error = FlushSince(*finished_at_, [this] {
      return (whole_ ? ::fdatasync(file_.get()) : ::fsync(file_.get())) == 0 ? 0 : errno;
    });
    if (error != 0) return Fail(error);
    durable_ = true;
    return true;
  }
  // The bytes are on the disk before the name: a power cut after the name
  // is given cannot leave it on an empty or half-written file.
  bool Commit() override {
    if (!MakeDurable()) return false;
    if (!PutInPlace()) return false;
    MarkCommitted();
    removal_.reset();
    named_at_ = flushes_.Count(device_);
    if (whole_) flushes_.Wait(device_);
    return true;
  }
  bool MakeNameDurable() override {
    const int error = FlushSince(named_at_, [this] { return FlushFolder(); });
    if (error == 0) return true;
    // A new output whose name may not last is taken back.
    if (!found_) ::unlinkat(folder_.get(), name_.c_str(), 0);
    return Fail(error);
  }
  std::optional<FileId> FolderId() const override {
    const std::optional<LookedEntry> folder = LookAt(folder_.get());
    return folder ? std::optional(folder->id) : std::nullopt;
  }

 private:
  // Gives the file what the entry found at its name hands on, while nobody
  // else can open it yet.
  bool TakeOverTheReplacedFile() {
    const int error =
        HandOnTraits(found_, folder_.get(), name_, file_.get(), staging_ != Staging::kUnnamed);
    return error == 0 || Fail(error);
  }
  // Gives the file its name, as its staging says.
  bool PutInPlace() {
    switch (staging_) {
      case Staging::kUnnamed:
        if (!found_) return LinkNewOutput();
        return LinkToTemporaryName() && RenameOverTheEntryFound();
      case Staging::kNamedNew:
        return RenameToFreeName();
      case Staging::kNamedReplacing:
        return RenameOverTheEntryFound();
    }
    return false;
  }
  // Gives a new output its name in one step, which fails where any entry
  // has come to the name since the output was started.
  bool LinkNewOutput() {
    return LinkUnnamed(file_.get(), folder_.get(), name_) || Fail(errno);
  }
  // Renames the file over the entry looked at, and only while that entry is
  // still there.
  bool RenameOverTheEntryFound() {
    const std::optional<LookedEntry> now = LookAt(folder_.get(), name_.c_str());
    if (!now) return Fail(errno);
    if (!SameFile(*now, *found_)) return Fail(EEXIST);
    return ::renameat(folder_.get(), temporary_name_.c_str(), folder_.get(), name_.c_str()) == 0 ||
           Fail(errno);
  }
  bool LinkToTemporaryName() {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      std::string temporary = TemporaryFileName();
      const InterruptsDeferred until_registered;
      if (LinkUnnamed(file_.get(), folder_.get(), temporary)) {
        temporary_name_ = std::move(temporary);
        staging_ = Staging::kNamedReplacing;
        RemoveOnInterrupt();
        return true;
      }
      if (errno != EEXIST) break;
    }
    return Fail(errno);
  }
  // Renames the file to its name, which fails where an entry has appeared
  // there since the output was started.
  bool RenameToFreeName() {
#ifdef RENAME_NOREPLACE
    const int renamed = refused_.rename_without_replacing
                            ? Refused(EINVAL)
                            : ::renameat2(folder_.get(), temporary_name_.c_str(), folder_.get(),
                                          name_.c_str(), RENAME_NOREPLACE);
    if (renamed == 0) return true;
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
  // Flushes what this output has done since the file system's flush
  // number `since`: nothing where a flush of the whole file system has come
  // since, one such flush where enough outputs wait for it, else `own`,
  // which flushes this output alone. 0, or errno.
  int FlushSince(std::uint64_t since, const std::function<int()>& own) {
    if (whole_ && flushes_.Count(device_) > since) return 0;
    if (whole_ && flushes_.WorthFlushingWhole(device_)) return flushes_.Flush(file_.get(), device_);
    const int error = own();
    if (error == 0 && whole_) flushes_.Served(device_);
    return error;
  }
  // Flushes the folder's entries; 0, or errno.
  int FlushFolder() {
    // The folder is held without reading it (O_PATH), which cannot be
    // flushed: it is opened again. One that may not be read is flushed
    // through the output itself, whose new name its journal commits with
    // it, as FAT keeps the name in the file's own entry.
    const Descriptor readable(::openat(folder_.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const int flushed = readable.valid()  ? ::fsync(readable.get())
                        : errno == EACCES ? ::fsync(file_.get())
                                          : -1;
    return flushed == 0 ? 0 : errno;
  }
  void RemoveTemporaryName() {
    if (staging_ != Staging::kUnnamed) ::unlinkat(folder_.get(), temporary_name_.c_str(), 0);
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
  Staging staging_;
  DiskFlushes& flushes_;
  FileSystemRefusals refused_;
  // Whether one flush of the whole file system serves it (DiskFlushes).
  bool whole_;
  std::uint64_t device_;
  // Bytes written since the write-back was last started.
  std::uint64_t unstarted_ = 0;
  // The file system's flushes when the bytes had reached the disk, and when
  // the name was given.
  std::optional<std::uint64_t> finished_at_;
  bool durable_ = false;
  std::uint64_t named_at_ = 0;
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

}  // namespace

std::unique_ptr<OutputFile> StartStagedOutput(const std::string& folder, const std::string& name,
                                              CreationFailure* failure, DiskFlushes& flushes,
                                              FileSystemRefusals refused) {
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
  if (::access(kOwnDescriptors, F_OK) == 0) {
    Descriptor file(refused.unnamed_files
                        ? Refused(EOPNOTSUPP)
                        : ::openat(held.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (file.valid()) {
      return std::make_unique<StagedOutputFile>(std::move(held), std::move(file), std::string(),
                                                std::move(last), found, flushes, refused);
    }
    if (!MakesNoUnnamedFiles(errno)) return fail(errno);
  }
#endif
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string temporary = TemporaryFileName();
    const InterruptsDeferred until_registered;
    // O_EXCL: a new file, never one that is there, nor through a link; 0600:
    // nobody else reads the bytes before they are in place.
    Descriptor file(::openat(held.get(), temporary.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (file.valid()) {
      auto output =
          std::make_unique<StagedOutputFile>(std::move(held), std::move(file), std::move(temporary),
                                             std::move(last), found, flushes, refused);
      output->RemoveOnInterrupt();
      return output;
    }
    if (errno != EEXIST) break;
  }
  return fail(errno);
}

}  // namespace marrowpin
