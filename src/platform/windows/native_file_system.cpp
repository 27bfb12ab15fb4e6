#include "platform/native_file_system.h"

#include <windows.h>

#include <cstring>

#include "core/error.h"
#include "core/messages.h"
#include "platform/stdio_output_file.h"

namespace marrowpin {

namespace {

// ReadFile takes a 32-bit count; large files are read in pieces.
constexpr DWORD kMaxReadPiece = 1u << 30;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE)
      CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string NativeFileSystem::ReadWholeFile(const std::string& path) {
  const Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
    throw Error(messages::CannotOpenFile(path));
  }
  // Reads up to size bytes, fewer only at the end of the file.
  const auto read_up_to = [&](char* into, std::size_t wanted) {
    std::size_t filled = 0;
    while (filled < wanted) {
      const std::size_t left = wanted - filled;
      DWORD got = 0;
      if (!ReadFile(file.get(), into + filled, left < kMaxReadPiece ? DWORD(left) : kMaxReadPiece,
                    &got, nullptr)) {
        throw Error(messages::CannotOpenFile(path));
      }
      if (got == 0)
        break;
      filled += got;
    }
    return filled;
  };

  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  const std::size_t filled = read_up_to(bytes.data(), bytes.size());
  if (filled < bytes.size()) {
    bytes.resize(filled);
    return bytes;
  }
  // A file that grew since its size was taken is read to its end, or to a
  // zero byte, where the text ends anyway.
  char chunk[1 << 16];
  while (const std::size_t got = read_up_to(chunk, sizeof chunk)) {
    bytes.append(chunk, got);
    if (std::memchr(chunk, '\0', got) != nullptr)
      break;
  }
  return bytes;
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  return CreateStdioOutputFile(path);
}

}  // namespace marrowpin
