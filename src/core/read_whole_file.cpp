#include "core/read_whole_file.h"

#include <cstring>
#include <new>
#include <stdexcept>

#include "core/error.h"

namespace marrowpin {

namespace {

std::size_t ReadUpTo(InputFile& file, char* into, std::size_t size) {
  std::size_t filled = 0;
  while (filled < size) {
    const std::size_t got = file.Read(into + filled, size - filled);
    if (got == 0) break;
    filled += got;
  }
  return filled;
}

}  // namespace

std::string ReadWholeFile(FileSystem& files, const std::string& path) {
  const std::unique_ptr<InputFile> file = files.OpenForReading(path);
  // A file larger than a string can be (as one over 1 GiB is for a 32-bit
  // program) fails before its size is cut to fit, and so does one for which
  // the memory runs out while reading it.
  if (file->ExpectedSize() > std::string().max_size()) throw FileError(FileError::Step::kHold);
  try {
    std::string bytes(static_cast<std::size_t>(file->ExpectedSize()), '\0');
    const std::size_t filled = ReadUpTo(*file, bytes.data(), bytes.size());
    if (filled < bytes.size()) {
      bytes.resize(filled);
      return bytes;
    }
    char chunk[1 << 16];
    while (const std::size_t got = ReadUpTo(*file, chunk, sizeof chunk)) {
      bytes.append(chunk, got);
      if (std::memchr(chunk, '\0', got) != nullptr) break;
    }
    return bytes;
  } catch (const FileError& e) {
    // Loading a whole note is opening it: it fails as a whole.
    throw FileError(FileError::Step::kOpen, e.reason());
  } catch (const std::bad_alloc&) {
    throw FileError(FileError::Step::kHold);
  } catch (const std::length_error&) {
    throw FileError(FileError::Step::kHold);
  }
}

}  // namespace marrowpin
