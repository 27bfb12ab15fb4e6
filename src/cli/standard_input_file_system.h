#pragma once

#include <string>

#include "core/file_system.h"

namespace marrowpin::cli {

// The file services of another file system, except that the source "-" is
// the note read from standard input.
class StandardInputFileSystem final : public FileSystem {
 public:
  static constexpr const char* kStandardInput = "-";

  explicit StandardInputFileSystem(FileSystem& files) : files_(files) {}

  bool FileExists(const std::string& path) override;
  // An output is a file in its folder: one named "-" too.
  Entry EntryAt(const std::string& path) override { return files_.EntryAt(path); }
  std::string MissingFileReason(const std::string& path) override {
    return files_.MissingFileReason(path);
  }
  std::string NotAFolderReason(const std::string& path) override {
    return files_.NotAFolderReason(path);
  }
  std::optional<FileId> FileIdAt(const std::string& path) override;
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& path) override {
    return files_.CreateForWriting(path);
  }
  std::string CreationFailureReason() const override { return files_.CreationFailureReason(); }
  std::string PathNameFromNote(std::string_view note_name) override {
    return files_.PathNameFromNote(note_name);
  }

 private:
  FileSystem& files_;
};

}  // namespace marrowpin::cli
