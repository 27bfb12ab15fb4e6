#include "platform/native_file_system.h"

#include <windows.h>

#include "core/error.h"
#include "core/messages.h"
#include "platform/file_identity.h"
#include "platform/stdio_output_file.h"

namespace marrowpin {

namespace {

// ReadFile takes a 32-bit count; large reads are made in pieces.
constexpr DWORD kMaxReadPiece = 1u << 30;

// Whether the open file and path name the same file: the same file index
// on the same volume.
bool IsSameFile(HANDLE open_file, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION open_info;
  BY_HANDLE_FILE_INFORMATION named_info;
  if (!GetFileInformationByHandle(open_file, &open_info)) return false;
  const HANDLE named =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  const bool got = GetFileInformationByHandle(named, &named_info) != 0;
  CloseHandle(named);
  return got && open_info.dwVolumeSerialNumber == named_info.dwVolumeSerialNumber &&
         open_info.nFileIndexHigh == named_info.nFileIndexHigh &&
         open_info.nFileIndexLow == named_info.nFileIndexLow;
}

class WindowsInputFile final : public InputFile {
 public:
  WindowsInputFile(HANDLE handle, std::uint64_t expected_size, std::string path)
      : handle_(handle), expected_size_(expected_size), path_(std::move(path)) {}
  ~WindowsInputFile() override { CloseHandle(handle_); }
  WindowsInputFile(const WindowsInputFile&) = delete;
  WindowsInputFile& operator=(const WindowsInputFile&) = delete;

  std::size_t Read(char* into, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(handle_, into, size < kMaxReadPiece ? DWORD(size) : kMaxReadPiece, &got,
                  nullptr)) {
      throw ReadError(messages::CannotReadFile(path_));
    }
    return static_cast<std::size_t>(got);
  }
  std::uint64_t ExpectedSize() const override { return expected_size_; }
  bool IsFileAt(const std::string& path) const override { return IsSameFile(handle_, path); }

 private:
  HANDLE handle_;
  std::uint64_t expected_size_;
  std::string path_;
};

}  // namespace

bool StandardInputIsFileAt(const std::string& path) {
  return IsSameFile(GetStdHandle(STD_INPUT_HANDLE), path);
}

bool NativeFileSystem::FileExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<InputFile> NativeFileSystem::OpenForReading(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  LARGE_INTEGER size;
  if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) {
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    throw Error(messages::CannotOpenFile(path));
  }
  return std::make_unique<WindowsInputFile>(file, static_cast<std::uint64_t>(size.QuadPart), path);
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  return CreateStdioOutputFile(path);
}

}  // namespace marrowpin
