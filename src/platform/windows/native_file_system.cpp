// The Windows file services take the program's UTF-8 paths and hand them to
// the wide-character calls, so that any path Windows can hold works, whatever
// the system's code page.

#include "platform/native_file_system.h"

#include <windows.h>

#include <cstdio>

#include "core/error.h"
#include "core/messages.h"
#include "platform/read_whole_stream.h"
#include "platform/stdio_output_file.h"
#include "win_text/utf16.h"

namespace marrowpin {

namespace {

// ReadFile takes a 32-bit count; large files are read in pieces.
constexpr DWORD kMaxReadPiece = 1u << 30;

// The code page of the names a note gives.
constexpr UINT kShiftJisCodePage = 932;

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

std::wstring WidePath(const std::string& path) {
  return win_text::Utf16FromUtf8<wchar_t>(path);
}

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  // The path itself, never a pattern: a "*" or "?" in it names no file.
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string NativeFileSystem::ReadWholeFile(const std::string& path) {
  const Handle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
    throw Error(messages::CannotOpenFile(path));
  }
  return ReadWholeStream(
      static_cast<std::size_t>(size.QuadPart), [&](char* into, std::size_t wanted) {
        DWORD got = 0;
        if (!ReadFile(file.get(), into, wanted < kMaxReadPiece ? DWORD(wanted) : kMaxReadPiece,
                      &got, nullptr)) {
          throw Error(messages::CannotOpenFile(path));
        }
        return static_cast<std::size_t>(got);
      });
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& path) {
  return StdioOutputFile(_wfopen(WidePath(path).c_str(), L"wb"));
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
