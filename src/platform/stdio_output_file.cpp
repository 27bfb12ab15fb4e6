#include "platform/stdio_output_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace marrowpin {

namespace {

constexpr std::size_t kWriteBufferSize = 1 << 20;

// Cuts an unbuffered stream's file to size and goes on writing there.
bool CutStream(std::FILE* file, std::uint64_t size) {
#ifdef _WIN32
  // SetEndOfFile cuts at the handle's position, which the seek sets.
  return _fseeki64(file, static_cast<__int64>(size), SEEK_SET) == 0 &&
         SetEndOfFile(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
#else
  return ::ftruncate(fileno(file), static_cast<off_t>(size)) == 0 &&
         ::fseeko(file, static_cast<off_t>(size), SEEK_SET) == 0;
#endif
}

// Gathers the many small per-line blocks in its own buffer and hands the
// stream whole megabytes: a buffer copy per block is far cheaper than the
// stream's own per-call locking and bookkeeping.
class StdioOutputFile final : public OutputFile {
 public:
  explicit StdioOutputFile(std::FILE* file) : file_(file) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
    buffer_.reserve(kWriteBufferSize);
  }
  ~StdioOutputFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  StdioOutputFile(const StdioOutputFile&) = delete;
  StdioOutputFile& operator=(const StdioOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    if (size > kWriteBufferSize - buffer_.size() && !Flush()) return false;
    if (size >= kWriteBufferSize) {
      flushed_ += size;
      return std::fwrite(data, 1, size, file_) == size;
    }
    const auto* bytes = static_cast<const char*>(data);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    if (size >= flushed_) {
      buffer_.resize(std::min<std::uint64_t>(buffer_.size(), size - flushed_));
      return true;
    }
    buffer_.clear();
    flushed_ = size;
    return CutStream(file_, size);
  }
  // A full disk often shows only here, when the buffer is flushed.
  bool Close() override {
    const bool flushed = Flush();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed;
  }

 private:
  bool Flush() {
    const std::size_t size = buffer_.size();
    const bool written = size == 0 || std::fwrite(buffer_.data(), 1, size, file_) == size;
    flushed_ += size;
    buffer_.clear();
    return written;
  }

  std::FILE* file_;
  std::vector<char> buffer_;
  std::uint64_t flushed_ = 0;  // bytes handed to the stream
};

}  // namespace

std::unique_ptr<OutputFile> CreateStdioOutputFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return nullptr;
  return std::make_unique<StdioOutputFile>(file);
}

}  // namespace marrowpin
