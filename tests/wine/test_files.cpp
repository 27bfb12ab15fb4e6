#include "test_files.h"

#include <fstream>
#include <iterator>

#include "remote_program.h"

namespace marrowpin::wine_tests {

void WriteTestFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw TestFailure("cannot write test file " + path);
}

std::optional<std::string> ReadTestFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

FileLock::FileLock(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (file_ == INVALID_HANDLE_VALUE) throw TestFailure("cannot lock " + path);
}

FileLock::~FileLock() {
  CloseHandle(file_);
}

}  // namespace marrowpin::wine_tests
