#include "platform/native_file_system.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "core/error.h"
#include "core/messages.h"
#include "platform/stdio_output_file.h"

namespace marrowpin {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Asks for 2 MiB pages behind the whole 2 MiB blocks of a fresh allocation.
// Filling a buffer of many megabytes page by page at 4 KiB can cost more than
// reading the file into it; a hint the system may ignore.
void AdviseLargePages(void* data, std::size_t size) {
  constexpr std::uintptr_t kLargePage = std::uintptr_t{1} << 21;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (begin + size) & ~(kLargePage - 1);
  if (last > first)
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string NativeFileSystem::ReadWholeFile(const std::string& path) {
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info;
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
    throw Error(messages::CannotOpenFile(path));
  }
  // Reads up to size bytes, fewer only at the end of the file.
  const auto read_up_to = [&](char* into, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
      const ssize_t got = ::read(file.get(), into + filled, size - filled);
      if (got < 0 && errno == EINTR)
        continue;
      if (got < 0)
        throw Error(messages::CannotOpenFile(path));
      if (got == 0)
        break;
      filled += static_cast<std::size_t>(got);
    }
    return filled;
  };

  std::string bytes;
  if (S_ISREG(info.st_mode)) {
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    AdviseLargePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<std::size_t>(info.st_size));
    const std::size_t filled = read_up_to(bytes.data(), bytes.size());
    if (filled < bytes.size()) {
      bytes.resize(filled);
      return bytes;
    }
  }
  // Past the expected size (a growing file, a device, a pipe) read on until
  // the end, or until a zero byte: the text ends there, and an endless device
  // such as /dev/zero would otherwise never stop.
  char chunk[1 << 16];
  while (const std::size_t got = read_up_to(chunk, sizeof chunk)) {
    bytes.append(chunk, got);
    if (std::memchr(chunk, '\0', got) != nullptr)
      break;
  }
  return bytes;
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  return CreateStdioOutputFile(path);
}

}  // namespace marrowpin
