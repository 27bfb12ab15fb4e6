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
#include "platform/read_whole_stream.h"

namespace marrowpin::cli {

bool StandardInputFileSystem::FileExists(const std::string& path) {
  return path == kStandardInput || files_.FileExists(path);
}

std::string StandardInputFileSystem::ReadWholeFile(const std::string& path) {
  if (path != kStandardInput) return files_.ReadWholeFile(path);
#ifdef _WIN32
  // The note's bytes as they are, without line-end translation.
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  return ReadWholeStream(0, [&](char* into, std::size_t size) {
    const std::size_t got = std::fread(into, 1, size, stdin);
    if (got == 0 && std::ferror(stdin)) {
      throw Error(messages::CannotOpenFile(path), std::strerror(errno));
    }
    return got;
  });
}

}  // namespace marrowpin::cli
