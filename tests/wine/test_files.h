#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Files and folders of the test, named in UTF-8 and created through the wide
// API, so that their names on disk are the same under every code page.
namespace marrowpin::wine_tests {

void WriteTestFile(const std::string& path, const std::string& bytes);
// The file's bytes, or nullopt when there is no such file.
std::optional<std::string> ReadTestFile(const std::string& path);
// Creates the folder unless it exists.
void CreateTestFolder(const std::string& path);

// Holds a file open without sharing, so that no other process can open it.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  HANDLE file_;
};

}  // namespace marrowpin::wine_tests
