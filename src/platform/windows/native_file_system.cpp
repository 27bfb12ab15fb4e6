// The Windows file services take the program's UTF-8 paths and hand them to
// the wide-character calls, so that any path Windows can hold works, whatever
// the system's code page.

#include "platform/native_file_system.h"

#include <windows.h>

#include "core/error.h"
#include "core/messages.h"
#include "platform/file_identity.h"
#include "platform/stdio_output_file.h"
#include "win_text/utf16.h"

namespace marrowpin {

namespace {

// ReadFile takes a 32-bit count; large reads are made in pieces.
constexpr DWORD kMaxReadPiece = 1u << 30;

// The code page of the names a note gives.
constexpr UINT kShiftJisCodePage = 932;

std::wstring WidePath(const std::string& path) {
  return win_text::Utf16FromUtf8<wchar_t>(path);
}

// Whether the open file and path name the same file: the same file index
// on the same volume.
bool IsSameFile(HANDLE open_file, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION open_info;
  BY_HANDLE_FILE_INFORMATION named_info;
  if (!GetFileInformationByHandle(open_file, &open_info)) return false;
  const HANDLE named =
      CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
  // The path itself, never a pattern: a "*" or "?" in it names no file.
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::unique_ptr<InputFile> NativeFileSystem::OpenForReading(const std::string& path) {
  const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
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

std::string NativeFileSystem::PathNameFromNote(std::string_view note_name) {
  if (note_name.empty()) return {};
  // A name that is no Shift-JIS text cannot be spelled faithfully: it reads
  // as no name, and the user is asked for one.
  const int size = static_cast<int>(note_name.size());
  const int wide_size = MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS,
                                            note_name.data(), size, nullptr, 0);
  if (wide_size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, note_name.data(), size, wide.data(),
                      wide_size);
  return win_text::Utf8FromUtf16(std::wstring_view(wide));
}

}  // namespace marrowpin
