#include "platform/posix/posix_input_file.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/error.h"

namespace marrowpin {

namespace {

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
    if (got < 0) throw FileError(FileError::Step::kRead, std::strerror(errno));
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
        throw FileError(FileError::Step::kRead, std::strerror(errno));
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

std::unique_ptr<InputFile> ReadFromDescriptor(
    int fd, std::uint64_t expected_size,
    std::optional<std::chrono::milliseconds> fifo_writer_wait) {
  if (!fifo_writer_wait) SetBlocking(fd);
  return std::make_unique<PosixInputFile>(fd, expected_size, fifo_writer_wait);
}

}  // namespace marrowpin
