#include "platform/stdio_output_file.h"

#include <cstdio>

namespace marrowpin {

namespace {

constexpr std::size_t kWriteBufferSize = 1 << 20;

class StdioOutputFile final : public OutputFile {
 public:
  explicit StdioOutputFile(std::FILE* file) : file_(file) {
    std::setvbuf(file_, nullptr, _IOFBF, kWriteBufferSize);
  }
  ~StdioOutputFile() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  StdioOutputFile(const StdioOutputFile&) = delete;
  StdioOutputFile& operator=(const StdioOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    return std::fwrite(data, 1, size, file_) == size;
  }
  // A full disk often shows only here, when the buffer is flushed.
  bool Close() override {
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
  }

 private:
  std::FILE* file_;
};

}  // namespace

std::unique_ptr<OutputFile> CreateStdioOutputFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return nullptr;
  return std::make_unique<StdioOutputFile>(file);
}

}  // namespace marrowpin
