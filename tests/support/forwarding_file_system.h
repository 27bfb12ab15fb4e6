#pragma once

#include <memory>
#include <optional>
#include <ostream>
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
    return Refuses() ? failure_ : native_.LastCreationFailure();
  }
  bool OutputsLookAtTheirName() const override { return native_.OutputsLookAtTheirName(); }
  std::size_t OutputsPlacedTogether() const override { return native_.OutputsPlacedTogether(); }

  // What the outputs' file system is taken to refuse, as one that lacks it.
  FileSystemRefusals refused;

 protected:
  std::unique_ptr<OutputFile> StartOutput(const std::string& folder, const std::string& name) {
    if (!Refuses()) return native_.CreateForWriting(folder, name);
    failure_ = {};
    return StartStagedOutput(folder, name, &failure_, flushes_, refused);
  }
  bool Refuses() const { return refused.unnamed_files || refused.rename_without_replacing; }

  NativeFileSystem native_;
  CreationFailure failure_;
  DiskFlushes flushes_;
};

// The ways the tests stage outputs: as here, and as on file systems that make
// no unnamed files, of which some cannot refuse to replace in a rename.
struct Staging {
  const char* name;  // as a test's name ends
  const char* what;
  FileSystemRefusals refused;
  bool named() const { return refused.unnamed_files; }
};
// How a failing case names its staging.
inline void PrintTo(const Staging& staging, std::ostream* out) {
  *out << staging.what;
}
inline constexpr Staging kStagings[] = {
    {"Unnamed", "unnamed", {}},
    {"Named", "named", {.unnamed_files = true}},
    {"NamedWithoutNoReplaceRename",
     "named, no rename that never replaces",
     {.unnamed_files = true, .rename_without_replacing = true}},
};

}  // namespace marrowpin::testing
