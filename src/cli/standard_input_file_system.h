#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "core/file_system.h"

namespace marrowpin::cli {

// The file services of another file system, except that the source "-" is
// the note read from the stream input, whose file (as far as the system
// tells) is input_id.
class StandardInputFileSystem final : public FileSystem {
 public:
  static constexpr const char* kStandardInput = "-";

  StandardInputFileSystem(FileSystem& files, std::FILE* input, std::optional<FileId> input_id)
      : files_(files), input_(input), input_id_(input_id) {}

  bool FileExists(const std::string& path) override;
  // An output is a file in its folder: one named "-" too.
  Entry EntryAt(const std::string& path) override { return files_.EntryAt(path); }
  std::string MissingFileReason(const std::string& path) override {
    return files_.MissingFileReason(path);
  }
  std::string NotAFolderReason(const std::string& path) override {
    return files_.NotAFolderReason(path);
  }
  bool HasNoFolderOfItsOwn(const std::string& path) override {
    return path == kStandardInput || files_.HasNoFolderOfItsOwn(path);
  }
  std::optional<FileId> FileIdAt(const std::string& path) override;
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& folder,
                                               const std::string& name) override {
    return files_.CreateForWriting(folder, name);
  }
  CreationFailure LastCreationFailure() const override { return files_.LastCreationFailure(); }
  bool OutputsLookAtTheirName() const override { return files_.OutputsLookAtTheirName(); }
  std::size_t OutputsPlacedTogether() const override { return files_.OutputsPlacedTogether(); }
  std::string PathNameFromNote(std::string_view note_name) override {
    return files_.PathNameFromNote(note_name);
  }

 private:
  FileSystem& files_;
  std::FILE* input_;
  std::optional<FileId> input_id_;
};

}  // namespace marrowpin::cli
