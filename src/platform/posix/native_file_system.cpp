#include "platform/native_file_system.h"

#include <fcntl.h>
#include <iconv.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "core/error.h"
#include "platform/file_identity.h"
#include "platform/source_without_folder.h"
#include "platform/staged_output_file.h"

namespace marrowpin {

namespace {

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

FileId IdOf(const struct stat& info) {
  return FileId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

constexpr int kWriterPollMs = 50;

// Puts fd into blocking mode: a read then waits for data or the end.
void SetBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0 && (flags & O_NONBLOCK) != 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

// A note read with read(2). A FIFO is opened without blocking, so that
// opening never waits for a writer; its first read then waits, up to
// a given time, for a writer to appear, and from then on reads block as for
// any pipe, so a slow writer is read to its end. While the FIFO is not
// blocking, a read that finds no data tells the two cases apart: EAGAIN when
// a writer has it open, 0 when none has. Linux's poll() on such a FIFO
// waits while no writer has come and reports POLLHUP once one has come and
// gone, which is the end of a FIFO whose writer wrote nothing.
class PosixInputFile final : public InputFile {
 public:
  // For a FIFO, fifo_writer_wait is how long to wait for a writer.
  PosixInputFile(int fd, std::uint64_t expected_size,
                 std::optional<std::chrono::milliseconds> fifo_writer_wait)
      : fd_(fd),
        expected_size_(expected_size),
        writer_wait_(fifo_writer_wait.value_or(std::chrono::milliseconds(0))),
        awaits_writer_(fifo_writer_wait.has_value()) {}
  ~PosixInputFile() override { ::close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(char* into, std::size_t size) override {
    if (awaits_writer_) {
      if (const std::optional<std::size_t> got = ReadOnceAWriterCame(into, size)) return *got;
    }
    ssize_t got;
    do {
      got = ::read(fd_, into, size);
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw FileError(FileError::Step::kRead, ReasonFromErrno());
    return static_cast<std::size_t>(got);
  }
  std::uint64_t ExpectedSize() const override { return expected_size_; }

 private:
  // Waits for a writer to the FIFO and switches to blocking reads. What the
  // first read got, when it got data or the end; nullopt when a writer is
  // there with nothing written yet, for a blocking read to wait on.
  std::optional<std::size_t> ReadOnceAWriterCame(char* into, std::size_t size) {
    const auto deadline = std::chrono::steady_clock::now() + writer_wait_;
    bool writer_left = false;
    while (true) {
      const ssize_t got = ::read(fd_, into, size);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0 && errno != EAGAIN) {
        throw FileError(FileError::Step::kRead, ReasonFromErrno());
      }
      // Data, a writer (EAGAIN), or the end after a writer left.
      if (got > 0 || got < 0 || writer_left) {
        awaits_writer_ = false;
        SetBlocking(fd_);
        if (got < 0) return std::nullopt;
        return static_cast<std::size_t>(got);
      }
      if (std::chrono::steady_clock::now() >= deadline) {
        throw FileError(FileError::Step::kRead,
                        "no program opened the pipe for writing within " + WaitText());
      }
      // Short waits, since a writer that opens and writes nothing yet does
      // not end the poll.
      pollfd waiting{fd_, POLLIN, 0};
      if (::poll(&waiting, 1, kWriterPollMs) > 0 && (waiting.revents & POLLHUP) != 0) {
        writer_left = true;
      }
    }
  }

  std::string WaitText() const {
    const auto ms = writer_wait_.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
  }

  int fd_;
  std::uint64_t expected_size_;
  std::chrono::milliseconds writer_wait_;
  bool awaits_writer_;
};

}  // namespace

std::optional<FileId> StandardStreamId(StandardStream stream) {
  struct stat info;
  if (::fstat(static_cast<int>(stream), &info) != 0) return std::nullopt;
  return IdOf(info);
}

bool NativeFileSystem::FileExists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

Entry NativeFileSystem::EntryAt(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return Entry{};
  const Entry::Kind kind = S_ISLNK(info.st_mode)   ? Entry::Kind::kLink
                           : S_ISDIR(info.st_mode) ? Entry::Kind::kFolder
                                                   : Entry::Kind::kFile;
  return Entry{kind, IdOf(info)};
}

std::string NativeFileSystem::MissingFileReason(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return ReasonFromErrno();
  return S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : std::string();
}

std::string NativeFileSystem::NotAFolderReason(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return ReasonFromErrno();
  return S_ISDIR(info.st_mode) ? std::string() : std::strerror(ENOTDIR);
}

bool NativeFileSystem::HasNoFolderOfItsOwn(const std::string& path) {
  return marrowpin::HasNoFolderOfItsOwn(path);
}

std::optional<FileId> NativeFileSystem::FileIdAt(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return IdOf(info);
}

std::unique_ptr<InputFile> NativeFileSystem::OpenForReading(const std::string& path) {
  // Not blocking: opening a FIFO that has no writer would wait for one for ever.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat info;
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    const std::string reason = ReasonFromErrno();
    if (fd >= 0) ::close(fd);
    throw FileError(FileError::Step::kOpen, reason);
  }
  const std::uint64_t expected_size = S_ISREG(info.st_mode) ? std::uint64_t(info.st_size) : 0;
  // A FIFO waits for its writer at the first read; anything else (a terminal,
  // a device) is read blocking from the start.
  const bool fifo = S_ISFIFO(info.st_mode);
  if (!fifo) SetBlocking(fd);
  // The note is read once from start to end.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::make_unique<PosixInputFile>(fd, expected_size,
                                          fifo ? std::optional(fifo_writer_wait_) : std::nullopt);
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& folder,
                                                               const std::string& name) {
  creation_failure_ = {};
  return StartStagedOutput(folder, name, &creation_failure_);
}

std::string NativeFileSystem::PathNameFromNote(std::string_view note_name) {
  if (Recode(note_name, "UTF-8", "UTF-8")) return std::string(note_name);
  // Bytes that are not Shift-JIS either are kept as they are.
  return Recode(note_name, "CP932", "UTF-8").value_or(std::string(note_name));
}

}  // namespace marrowpin
