#include "test_files.h"

#include <utility>

#include "remote_program.h"
#include "unicode_text.h"

namespace marrowpin::wine_tests {

namespace {

// Closes a file handle when it goes out of scope.
class OpenFile {
 public:
  OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition)
      : handle_(CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~OpenFile() {
    if (IsOpen()) CloseHandle(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Handle() const { return handle_; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

}  // namespace

void WriteTestFile(const std::string& path, const std::string& bytes) {
  OpenFile file(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  DWORD written = 0;
  if (!file.IsOpen() ||
      !WriteFile(file.Handle(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                 nullptr) ||
      written != bytes.size())
    throw TestFailure("cannot write test file " + Printable(path));
}

std::optional<std::string> ReadTestFile(const std::string& path) {
  OpenFile file(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (!file.IsOpen()) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Handle(), &size)) throw TestFailure("cannot size " + Printable(path));
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.Handle(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size())
    throw TestFailure("cannot read " + Printable(path));
  return bytes;
}

void CreateTestFolder(const std::string& path) {
  if (!CreateDirectoryW(Wide(path).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
    throw TestFailure("cannot create folder " + Printable(path));
}

FileLock::FileLock(const std::string& path)
    : file_(OpenFile(path, GENERIC_READ, 0, OPEN_EXISTING).Release()) {
  if (file_ == INVALID_HANDLE_VALUE) throw TestFailure("cannot lock " + Printable(path));
}

FileLock::~FileLock() {
  CloseHandle(file_);
}

}  // namespace marrowpin::wine_tests
