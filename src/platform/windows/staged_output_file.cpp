#include "platform/staged_output_file.h"

#include <windows.h>

#include <cstdint>

#include "platform/windows/system_error_text.h"
#include "platform/windows/wide_path.h"

namespace marrowpin {

namespace {

// Names drawn before giving up on a folder where each one is taken.
constexpr int kNameAttempts = 100;
// WriteFile takes a 32-bit count; large blocks are written in pieces.
constexpr std::size_t kMaxWritePiece = std::size_t{1} << 30;

class StagedOutputFile final : public OutputFile {
 public:
  StagedOutputFile(HANDLE file, std::string temporary_path, std::string path)
      : file_(file), temporary_path_(std::move(temporary_path)), path_(std::move(path)) {}
  ~StagedOutputFile() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (!committed_) DeleteFileW(WidePath(temporary_path_).c_str());
  }
  StagedOutputFile(const StagedOutputFile&) = delete;
  StagedOutputFile& operator=(const StagedOutputFile&) = delete;

  bool Write(const void* data, std::size_t size) override {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
      DWORD written = 0;
      const DWORD piece = static_cast<DWORD>(size < kMaxWritePiece ? size : kMaxWritePiece);
      if (!WriteFile(file_, bytes, piece, &written, nullptr)) return Fail(GetLastError());
      if (written == 0) return Fail(ERROR_DISK_FULL);
      bytes += written;
      size -= written;
    }
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size);
    return (SetFilePointerEx(file_, position, nullptr, FILE_BEGIN) && SetEndOfFile(file_)) ||
           Fail(GetLastError());
  }
  bool Commit() override {
    const HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(file)) return Fail(GetLastError());
    const std::wstring temporary = WidePath(temporary_path_);
    const std::wstring path = WidePath(path_);
    // An output that is there is replaced keeping its attributes and
    // security; a new one is moved into place, never over a file that has
    // appeared meanwhile.
    const bool replacing = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool moved = replacing
                           ? ReplaceFileW(path.c_str(), temporary.c_str(), nullptr,
                                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                           : MoveFileExW(temporary.c_str(), path.c_str(), 0) != 0;
    if (!moved) return Fail(GetLastError());
    committed_ = true;
    return true;
  }
  std::string FailureReason() const override { return failure_reason_; }

 private:
  // Keeps the system's word on the first failure; always false.
  bool Fail(DWORD error) {
    if (failure_reason_.empty()) failure_reason_ = SystemErrorText(error);
    return false;
  }

  HANDLE file_;
  std::string temporary_path_;
  std::string path_;
  bool committed_ = false;
  std::string failure_reason_;
};

}  // namespace

std::unique_ptr<OutputFile> StartStagedOutput(const std::string& path,
                                              std::string* failure_reason) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    *failure_reason = SystemErrorText(ERROR_DIRECTORY);
    return nullptr;
  }
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < kNameAttempts && error == ERROR_FILE_EXISTS; ++attempt) {
    std::string temporary = TemporaryPathBeside(path);
    // CREATE_NEW: a new file, never one that is there.
    const HANDLE file = CreateFileW(WidePath(temporary).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      return std::make_unique<StagedOutputFile>(file, std::move(temporary), path);
    }
    error = GetLastError();
  }
  *failure_reason = SystemErrorText(error);
  return nullptr;
}

}  // namespace marrowpin
