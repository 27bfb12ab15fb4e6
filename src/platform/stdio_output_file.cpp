#include "platform/stdio_output_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "win_text/utf16.h"
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

// Gathers small blocks (the bitmap header, the last bytes) in its own buffer
// and hands the stream whole megabytes; blocks of a megabyte or more go to
// the stream as they are.
class StdioOutputFile final : public OutputFile {
 public:
  explicit StdioOutputFile(std::FILE* file)
      : file_(file), buffer_(std::make_unique_for_overwrite<char[]>(kWriteBufferSize)) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
  }
  ~StdioOutputFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  StdioOutputFile(const StdioOutputFile&) = delete;
  StdioOutputFile& operator=(const StdioOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    if (size > kWriteBufferSize - buffered_ && !Flush()) return false;
    if (size >= kWriteBufferSize) {
      flushed_ += size;
      return Check(std::fwrite(data, 1, size, file_) == size);
    }
    std::memcpy(buffer_.get() + buffered_, data, size);
    buffered_ += size;
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    if (size >= flushed_) {
      buffered_ = std::min<std::uint64_t>(buffered_, size - flushed_);
      return true;
    }
    buffered_ = 0;
    flushed_ = size;
    return Check(CutStream(file_, size));
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
    const std::size_t size = buffered_;
    const bool written = size == 0 || Check(std::fwrite(buffer_.get(), 1, size, file_) == size);
    flushed_ += size;
    buffered_ = 0;
    return written;
  }
  // Keeps the system's word on the first failure.
  bool Check(bool succeeded) {
    if (!succeeded && failure_reason_.empty()) failure_reason_ = std::strerror(errno);
    return succeeded;
  }

  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t buffered_ = 0;
  std::uint64_t flushed_ = 0;  // bytes handed to the stream
  std::string failure_reason_;
};

}  // namespace

std::unique_ptr<OutputFile> CreateStdioOutputFile(const std::string& path) {
#ifdef _WIN32
  // Windows paths are UTF-8 here: the wide call spells every one of them.
  std::FILE* file = _wfopen(win_text::Utf16FromUtf8<wchar_t>(path).c_str(), L"wb");
#else
  std::FILE* file = std::fopen(path.c_str(), "wb");
#endif
  if (file == nullptr) return nullptr;
  return std::make_unique<StdioOutputFile>(file);
}

}  // namespace marrowpin
