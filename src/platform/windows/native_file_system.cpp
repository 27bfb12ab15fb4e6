#include "platform/native_file_system.h"

#include <windows.h>

#include <cstdint>

#include "core/error.h"
#include "core/messages.h"
#include "platform/read_whole_stream.h"
#include "platform/stdio_output_file.h"

namespace marrowpin {

namespace {

// ReadFile takes a 32-bit count; large files are read in pieces.
constexpr DWORD kMaxReadPiece = 1u << 30;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
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
  if (search == INVALID_HANDLE_VALUE) return false;
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
  return ReadWholeStream(
      path, static_cast<std::uint64_t>(size.QuadPart), [&](char* into, std::size_t wanted) {
        DWORD got = 0;
        if (!ReadFile(file.get(), into, wanted < kMaxReadPiece ? DWORD(wanted) : kMaxReadPiece,
                      &got, nullptr)) {
          throw Error(messages::CannotOpenFile(path));
        }
        return static_cast<std::size_t>(got);
      });
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  return CreateStdioOutputFile(path);
}

}  // namespace marrowpin
