#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/file_system.h"
#include "platform/native_file_system.h"
#include "platform/staged_output_file.h"

namespace marrowpin::testing {

// The real file services, for a fake to change one of them.
class ForwardingFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override { return native_.FileExists(path); }
  Entry EntryAt(const std::string& path) override { return native_.EntryAt(path); }
  std::string NotAFolderReason(const std::string& path) override {
    return native_.NotAFolderReason(path);
  }
  std::optional<FileId> FileIdAt(const std::string& path) override {
    return native_.FileIdAt(path);
  }
  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    return native_.OpenForReading(path);
  }
  std::unique_ptr<OutputFile> CreateForWriting(const std::string& folder,
                                               const std::string& name) override {
    return StartOutput(folder, name);
  }
  CreationFailure LastCreationFailure() const override {
    return named_staging ? failure_ : native_.LastCreationFailure();
  }
  bool OutputsLookAtTheirName() const override { return native_.OutputsLookAtTheirName(); }
  std::size_t OutputsPlacedTogether() const override { return native_.OutputsPlacedTogether(); }

  // Outputs staged in named temporary files, as on a file system that makes
  // no unnamed ones.
  bool named_staging = false;

 protected:
  std::unique_ptr<OutputFile> StartOutput(const std::string& folder, const std::string& name) {
    if (!named_staging) return native_.CreateForWriting(folder, name);
    failure_ = {};
    return StartNamedStagedOutput(folder, name, &failure_, flushes_);
  }

  NativeFileSystem native_;
  CreationFailure failure_;
  DiskFlushes flushes_;
};

}  // namespace marrowpin::testing
