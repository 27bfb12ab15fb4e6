// The Windows file services take the program's UTF-8 paths and hand them to
// the wide-character calls, so that any path Windows can hold works, whatever
// the system's code page.

#include "platform/native_file_system.h"

#include <windows.h>

#include "core/error.h"
#include "platform/reparse_tag.h"
#include "platform/source_without_folder.h"
#include "platform/staged_output_file.h"
#include "platform/windows/file_identity.h"
#include "platform/windows/link_rule.h"
#include "platform/windows/system_error_text.h"
#include "platform/windows/wide_path.h"
#include "win_text/utf16.h"

namespace marrowpin {

namespace {

// ReadFile takes a 32-bit count; large reads are made in pieces.
constexpr DWORD kMaxReadPiece = 1u << 30;

// ERROR_DIRECTORY_NOT_SUPPORTED, which mingw-w64's headers lack.
constexpr DWORD kErrorDirectoryNotSupported = 336;

// The code page of the names a note gives.
constexpr UINT kShiftJisCodePage = 932;

// The identity of the file or folder that path leads to.
std::optional<FileId> IdAt(const std::string& path) {
  const HANDLE file =
      CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const std::optional<FileId> id = IdOf(file);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return id;
}

class WindowsInputFile final : public InputFile {
 public:
  WindowsInputFile(HANDLE handle, std::uint64_t expected_size)
      : handle_(handle), expected_size_(expected_size) {}
  ~WindowsInputFile() override { CloseHandle(handle_); }
  WindowsInputFile(const WindowsInputFile&) = delete;
  WindowsInputFile& operator=(const WindowsInputFile&) = delete;

  std::size_t Read(char* into, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(handle_, into, size < kMaxReadPiece ? DWORD(size) : kMaxReadPiece, &got,
                  nullptr)) {
      throw FileError(FileError::Step::kRead, SystemErrorText(GetLastError()));
    }
    return static_cast<std::size_t>(got);
  }
  std::uint64_t ExpectedSize() const override { return expected_size_; }

 private:
  HANDLE handle_;
  std::uint64_t expected_size_;
};

}  // namespace

bool NativeFileSystem::FileExists(const std::string& path) {
  // The path itself, never a pattern: a "*" or "?" in it names no file.
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

Entry NativeFileSystem::EntryAt(const std::string& path) {
  DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Entry{};
  // The entry itself, for its reparse tag and its identity.
  const HANDLE entry = CreateFileW(
      WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  DWORD reparse_tag = 0;  // unknown: a reparse point counts as a link
  if (const std::optional<FILE_ATTRIBUTE_TAG_INFO> info = AttributeTagOf(entry)) {
    attributes = info->FileAttributes;
    reparse_tag = info->ReparseTag;
  }
  const std::optional<FileId> id = IdOf(entry);
  if (entry != INVALID_HANDLE_VALUE) CloseHandle(entry);
  // A symbolic link or a junction, to a file or a folder; a folder or file
  // kept in the cloud is one of its own.
  const Entry::Kind kind = LeadsElsewhere(attributes, reparse_tag)        ? Entry::Kind::kLink
                           : (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Entry::Kind::kFolder
                                                                          : Entry::Kind::kFile;
  return Entry{kind, id.value_or(FileId{})};
}

std::string NativeFileSystem::MissingFileReason(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return SystemErrorText(GetLastError());
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? SystemErrorText(kErrorDirectoryNotSupported)
                                                      : std::string();
}

std::string NativeFileSystem::NotAFolderReason(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return SystemErrorText(GetLastError());
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? std::string()
                                                      : SystemErrorText(ERROR_DIRECTORY);
}

bool NativeFileSystem::HasNoFolderOfItsOwn(const std::string& path) {
  return marrowpin::HasNoFolderOfItsOwn(path);
}

std::optional<FileId> NativeFileSystem::FileIdAt(const std::string& path) {
  return IdAt(path);
}

std::unique_ptr<InputFile> NativeFileSystem::OpenForReading(const std::string& path) {
  const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  LARGE_INTEGER size;
  if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) {
    const DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    throw FileError(FileError::Step::kOpen, SystemErrorText(error));
  }
  return std::make_unique<WindowsInputFile>(file, static_cast<std::uint64_t>(size.QuadPart));
}

std::unique_ptr<OutputFile> NativeFileSystem::CreateForWriting(const std::string& folder,
                                                               const std::string& name) {
  creation_failure_ = {};
  return StartStagedOutput(folder, name, &creation_failure_, retry_pause_, *reason_texts_);
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
