#include "cli/standard_input_file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/error.h"

namespace marrowpin::cli {

namespace {

// The note on standard input, read as it comes.
class StandardInput final : public InputFile {
 public:
  explicit StandardInput(std::FILE* input) : input_(input) {
#ifdef _WIN32
    // The note's bytes as they are, without line-end translation.
    _setmode(_fileno(input_), _O_BINARY);
#endif
  }

  std::size_t Read(char* into, std::size_t size) override {
    const std::size_t got = std::fread(into, 1, size, input_);
    if (got == 0 && std::ferror(input_)) {
      throw FileError(FileError::Step::kRead, std::strerror(errno));
    }
    return got;
  }
  std::uint64_t ExpectedSize() const override {
    return 0;
  }

 private:
  std::FILE* input_;
};

}  // namespace

bool StandardInputFileSystem::FileExists(const std::string& path) {
  return path == kStandardInput || files_.FileExists(path);
}

std::optional<FileId> StandardInputFileSystem::FileIdAt(const std::string& path) {
  return path == kStandardInput ? input_id_ : files_.FileIdAt(path);
}

std::unique_ptr<InputFile> StandardInputFileSystem::OpenForReading(const std::string& path) {
  if (path != kStandardInput) return files_.OpenForReading(path);
  return std::make_unique<StandardInput>(input_);
}

}  // namespace marrowpin::cli
