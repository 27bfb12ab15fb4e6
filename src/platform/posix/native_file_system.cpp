#include "platform/native_file_system.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "core/error.h"
#include "core/messages.h"
#include "platform/read_whole_stream.h"
#include "platform/stdio_output_file.h"

namespace marrowpin {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
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
void AdviseLargePages(char* data, std::size_t size) {
  constexpr std::uintptr_t kLargePage = std::uintptr_t{1} << 21;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t last = (begin + size) & ~(kLargePage - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

// The bytes converted from one character set to another; nullopt when they
// are not valid in the first.
std::optional<std::string> Recode(std::string_view bytes, const char* from, const char* to) {
  const iconv_t converter = ::iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  // No character grows beyond four bytes of UTF-8.
  std::string converted(bytes.size() * 4, '\0');
  std::string input(bytes);
  char* in = input.data();
  std::size_t in_left = input.size();
  char* out = converted.data();
  std::size_t out_left = converted.size();
  const bool whole = ::iconv(converter, &in, &in_left, &out, &out_left) != std::size_t(-1) &&
                     ::iconv(converter, nullptr, nullptr, &out, &out_left) != std::size_t(-1);
  ::iconv_close(converter);
  if (!whole) return std::nullopt;
  converted.resize(converted.size() - out_left);
  return converted;
}

std::string ReasonFromErrno() {
  return std::strerror(errno);
}

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string NativeFileSystem::ReadWholeFile(const std::string& path) {
  // Not blocking: a pipe without a writer reads as empty instead of hanging.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info;
  if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
    throw Error(messages::CannotOpenFile(path), ReasonFromErrno());
  }
  const std::size_t expected_size =
      S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
  return ReadWholeStream(
      expected_size,
      [&](char* into, std::size_t size) {
        ssize_t got;
        do {
          got = ::read(file.get(), into, size);
        } while (got < 0 && errno == EINTR);
        if (got < 0) throw Error(messages::CannotOpenFile(path), ReasonFromErrno());
        return static_cast<std::size_t>(got);
      },
      AdviseLargePages);
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  std::unique_ptr<OutputFile> file = StdioOutputFile(std::fopen(path.c_str(), "wb"));
  creation_failure_reason_ = file ? std::string() : ReasonFromErrno();
  return file;
}

std::string NativeFileSystem::PathNameFromNote(std::string_view note_name) {
  if (Recode(note_name, "UTF-8", "UTF-8")) return std::string(note_name);
  // Bytes that are not Shift-JIS either are kept as they are.
  return Recode(note_name, "CP932", "UTF-8").value_or(std::string(note_name));
}

}  // namespace marrowpin
