#include "cli/standard_input_file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/error.h"
#include "core/messages.h"
#include "platform/file_identity.h"

namespace marrowpin::cli {

namespace {

// The note on standard input, read as it comes.
class StandardInput final : public InputFile {
 public:
  explicit StandardInput(std::string path) : path_(std::move(path)) {
#ifdef _WIN32
    // The note's bytes as they are, without line-end translation.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
  }

  std::size_t Read(char* into, std::size_t size) override {
    const std::size_t got = std::fread(into, 1, size, stdin);
    if (got == 0 && std::ferror(stdin)) {
      throw ReadError(messages::CannotReadFile(path_), std::strerror(errno));
    }
    return got;
  }
  std::uint64_t ExpectedSize() const override {
    return 0;
  }

 private:
  std::string path_;
};

}  // namespace

bool StandardInputFileSystem::FileExists(const std::string& path) {
  return path == kStandardInput || files_.FileExists(path);
}

std::optional<FileId> StandardInputFileSystem::FileIdAt(const std::string& path) {
  return path == kStandardInput ? StandardStreamId(StandardStream::kInput) : files_.FileIdAt(path);
}

std::unique_ptr<InputFile> StandardInputFileSystem::OpenForReading(const std::string& path) {
  if (path != kStandardInput) return files_.OpenForReading(path);
  return std::make_unique<StandardInput>(path);
}

}  // namespace marrowpin::cli
