#include "platform/stdio_output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace marrowpin {

namespace {

constexpr std::size_t kWriteBufferSize = 1 << 20;

// Gathers the many small per-line blocks in its own buffer and hands the
// stream whole megabytes: a buffer copy per block is far cheaper than the
// stream's own per-call locking and bookkeeping.
class BufferedStdioFile final : public OutputFile {
 public:
  explicit BufferedStdioFile(std::FILE* file) : file_(file) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_.reserve(kWriteBufferSize);
  }
  ~BufferedStdioFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  BufferedStdioFile(const BufferedStdioFile&) = delete;
  BufferedStdioFile& operator=(const BufferedStdioFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    if (size > kWriteBufferSize - buffer_.size() && !Flush()) return false;
    if (size >= kWriteBufferSize) return Check(std::fwrite(data, 1, size, file_) == size);
    const auto* bytes = static_cast<const char*>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return true;
  }
  // A full disk often shows only here, when the buffer is flushed.
  bool Close() override {
    const bool flushed = Flush();
    const bool closed = Check(std::fclose(file_) == 0);
    file_ = nullptr;
    return flushed && closed;
  }

  std::string FailureReason() const override { return failure_reason_; }

 private:
  bool Flush() {
    const std::size_t size = buffer_.size();
    const bool written = size == 0 || Check(std::fwrite(buffer_.data(), 1, size, file_) == size);
    buffer_.clear();
    return written;
  }
  // Keeps the system's word on the first failure.
  bool Check(bool succeeded) {
    if (!succeeded && failure_reason_.empty()) failure_reason_ = std::strerror(errno);
    return succeeded;
  }

  std::FILE* file_;
  std::vector<char> buffer_;
  std::string failure_reason_;
};

}  // namespace

std::unique_ptr<OutputFile> StdioOutputFile(std::FILE* file) {
  if (file == nullptr) return nullptr;
  return std::make_unique<BufferedStdioFile>(file);
}

}  // namespace marrowpin
