#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "core/paths.h"

namespace marrowpin {

// Outputs written whole that wait to take their names together, so that
// one flush of the disk and one flush of each folder serve them all: each
// output's bytes are on the disk before it takes its name (Commit), and its
// name before its owner is told it is in place. Until the group ends, the
// outputs have no name: an interrupt leaves nothing of them, and whatever
// is at their names stays as it is.
//
// A group ends when it holds its limit of outputs or bytes, when End is
// called (before the user is shown anything, and at the end of a run), and
// when a path that one of its outputs waits for is about to be looked at or
// read (EndIfWaitingAt).
class OutputGroup {
 public:
  // What became of one output as its group ended.
  struct Outcome {
    std::string source_path;
    std::string output_path;
    bool placed = false;
    // The system's word on why the output is not in place.
    std::string reason;
  };
  using Told = std::function<void(const Outcome&)>;

  // Groups end at this many bytes, so that an interrupt costs little work.
  static constexpr std::uint64_t kMaxBytes = std::uint64_t{64} << 20;

  // At most `files.OutputsPlacedTogether()` outputs wait at a time; each one
  // that ends is told, in the order the outputs were added.
  OutputGroup(FileSystem& files, PathStyle style, Told told);
  // Outputs still waiting are dropped: nothing of them is left, and nobody
  // is told.
  ~OutputGroup();
  OutputGroup(const OutputGroup&) = delete;
  OutputGroup& operator=(const OutputGroup&) = delete;

  // Takes the output at output_path, all `size` of its bytes written, made
  // from the note at source_path; the group ends when it is full.
  void Add(std::string source_path, std::string output_path, std::unique_ptr<OutputFile> output,
           std::uint64_t size);
  // Ends the group when one of its outputs is to take the name at path, so
  // that path is looked at or read as it will be then. Names are compared
  // without regard to ASCII case, as a folder may.
  void EndIfWaitingAt(const std::string& path);
  // Puts every waiting output in place and tells of each. Nothing to do
  // when none waits; a call while the group ends does nothing.
  void End();

 private:
  struct Waiting {
    Outcome outcome;
    std::optional<FileId> folder;
    std::unique_ptr<OutputFile> output;
  };

  FileSystem& files_;
  PathStyle style_;
  Told told_;
  std::size_t max_outputs_;
  std::vector<Waiting> waiting_;
  std::uint64_t waiting_bytes_ = 0;
};

}  // namespace marrowpin
