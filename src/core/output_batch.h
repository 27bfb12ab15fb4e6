#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/file_system.h"

namespace marrowpin {

// Gathers the decoded bytes of many lines in one block and hands the output
// file a megabyte or more at a time: the decoder writes straight into the
// block, so the bytes are not copied again on their way to the file, and
// bytes not yet handed over are taken back without touching the file.
class OutputBatch {
 public:
  // file already holds `written` bytes.
  OutputBatch(OutputFile& file, std::uint64_t written);

  // Room for size bytes after those gathered, valid until the next call.
  unsigned char* Room(std::size_t size) {
    return capacity_ - gathered_ >= size ? block_.get() + gathered_ : MakeRoom(size);
  }
  // Gathers the first size bytes of the room: they join the file's bytes.
  void Gather(std::size_t size) {
    gathered_ += size;
    if (gathered_ >= kHandOverSize) Flush();
  }
  // Drops what follows the file's first size bytes.
  void TruncateTo(std::uint64_t size);
  // Hands over what is gathered. False when any write or cut has failed.
  bool Flush();

  // The file's bytes so far, handed over or gathered.
  std::uint64_t size() const { return handed_over_ + gathered_; }

 private:
  // Handed over once this much is gathered; a block holds that and one more
  // slice's bytes.
  static constexpr std::size_t kHandOverSize = std::size_t{1} << 20;
  static constexpr std::size_t kBlockSize = 2 * kHandOverSize;

  unsigned char* MakeRoom(std::size_t size);

  OutputFile& file_;
  std::uint64_t handed_over_;
  std::size_t gathered_ = 0;
  std::size_t capacity_ = 0;
  std::unique_ptr<unsigned char[]> block_;
  bool ok_ = true;
};

}  // namespace marrowpin
