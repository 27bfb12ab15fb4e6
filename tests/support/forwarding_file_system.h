#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/file_system.h"
#include "platform/native_file_system.h"

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
    return native_.CreateForWriting(folder, name);
  }
  CreationFailure LastCreationFailure() const override { return native_.LastCreationFailure(); }

 protected:
  NativeFileSystem native_;
};

}  // namespace marrowpin::testing
