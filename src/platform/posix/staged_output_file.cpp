#include "platform/staged_output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace marrowpin {

namespace {

// Names drawn before giving up on a folder where each one is taken.
constexpr int kNameAttempts = 100;

class StagedOutputFile final : public OutputFile {
 public:
  StagedOutputFile(int fd, std::string temporary_path, std::string path)
      : fd_(fd), temporary_path_(std::move(temporary_path)), path_(std::move(path)) {}
  ~StagedOutputFile() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temporary_path_.c_str());
  }
  StagedOutputFile(const StagedOutputFile&) = delete;
  StagedOutputFile& operator=(const StagedOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
      const ssize_t written = ::write(fd_, bytes, size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return Fail(written == 0 ? ENOSPC : errno);
      bytes += written;
      size -= static_cast<std::size_t>(written);
    }
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    const auto offset = static_cast<off_t>(size);
    return (::ftruncate(fd_, offset) == 0 && ::lseek(fd_, offset, SEEK_SET) == offset) ||
           Fail(errno);
  }
  bool Commit() override {
    // A file that is replaced hands on its permission bits (not set-user
    // or set-group ones); a new one has the usual ones, which the temporary
    // file was created with.
    struct stat replaced;
    const bool replacing = ::lstat(path_.c_str(), &replaced) == 0;
    if (replacing && S_ISREG(replaced.st_mode) && ::fchmod(fd_, replaced.st_mode & 0777) != 0) {
      return Fail(errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return Fail(errno);
    committed_ = (replacing && !S_ISDIR(replaced.st_mode) && SwapIntoPlace()) ||
                 ::rename(temporary_path_.c_str(), path_.c_str()) == 0;
    return committed_ || Fail(errno);
  }
  std::string FailureReason() const override { return failure_reason_; }

 private:
  // Swaps the output with the entry at its path in one step and removes
  // that entry, now under the temporary name. ext4 writes out at once a file
  // renamed over another, which makes replacing many small outputs several
  // times slower; a swap it leaves to the usual write-back, as it does a
  // file truncated and rewritten in place. False where the file system
  // cannot swap (the caller then renames).
  bool SwapIntoPlace() {
#ifdef RENAME_EXCHANGE
    if (::renameat2(AT_FDCWD, temporary_path_.c_str(), AT_FDCWD, path_.c_str(), RENAME_EXCHANGE) !=
        0) {
      return false;
    }
    // Should this fail, the old entry stays under the hidden temporary name.
    ::unlink(temporary_path_.c_str());
    return true;
#else
    return false;
#endif
  }
  // Keeps the system's word on the first failure; always false.
  bool Fail(int error) {
    if (failure_reason_.empty()) failure_reason_ = std::strerror(error);
    return false;
  }

  int fd_;
  std::string temporary_path_;
  std::string path_;
  bool committed_ = false;
  std::string failure_reason_;
};

}  // namespace

std::unique_ptr<OutputFile> StartStagedOutput(const std::string& path,
                                              std::string* failure_reason) {
  struct stat entry;
  if (::lstat(path.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode)) {
    *failure_reason = std::strerror(EISDIR);
    return nullptr;
  }
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string temporary = TemporaryPathBeside(path);
    // O_EXCL: a new file, never one that is there, nor through a link.
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return std::make_unique<StagedOutputFile>(fd, std::move(temporary), path);
    if (errno != EEXIST) break;
  }
  *failure_reason = std::strerror(errno);
  return nullptr;
}

}  // namespace marrowpin
