#include "platform/native_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/error.h"
#include "core/messages.h"
#include "platform/stdio_output_file.h"

namespace marrowpin {

namespace {

class PosixInputFile final : public InputFile {
 public:
  PosixInputFile(int fd, std::uint64_t expected_size, std::string path)
      : fd_(fd), expected_size_(expected_size), path_(std::move(path)) {}
  ~PosixInputFile() override { ::close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(char* into, std::size_t size) override {
    ssize_t got;
    do {
      got = ::read(fd_, into, size);
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw ReadError(messages::CannotReadFile(path_));
    return static_cast<std::size_t>(got);
  }
  std::uint64_t ExpectedSize() const override { return expected_size_; }

 private:
  int fd_;
  std::uint64_t expected_size_;
  std::string path_;
};

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::unique_ptr<InputFile> NativeFileSystem::OpenForReading(const std::string& path) {
  // Not blocking: a pipe without a writer reads as empty instead of hanging.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info;
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    if (fd >= 0) ::close(fd);
    throw Error(messages::CannotOpenFile(path));
  }
  const std::uint64_t expected_size = S_ISREG(info.st_mode) ? std::uint64_t(info.st_size) : 0;
  // The note is read once from start to end.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::make_unique<PosixInputFile>(fd, expected_size, path);
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  return CreateStdioOutputFile(path);
}

}  // namespace marrowpin
