#include "core/output_batch.h"

#include <algorithm>

namespace marrowpin {

OutputBatch::OutputBatch(OutputFile& file, std::uint64_t written)
    : file_(file), handed_over_(written) {}

unsigned char* OutputBatch::MakeRoom(std::size_t size) {
  Flush();
  if (capacity_ < size) {
    // Left uninitialised: the pages are touched only as bytes are decoded.
    capacity_ = std::max(size, kBlockSize);
    block_ = std::make_unique_for_overwrite<unsigned char[]>(capacity_);
  }
  return block_.get();
}

void OutputBatch::TruncateTo(std::uint64_t size) {
  if (size >= handed_over_) {
    gathered_ = std::min<std::size_t>(gathered_, size - handed_over_);
    return;
  }
  gathered_ = 0;
  handed_over_ = size;
  ok_ = ok_ && file_.TruncateTo(size);
}

bool OutputBatch::Flush() {
  if (gathered_ > 0) {
    ok_ = ok_ && file_.Write(block_.get(), gathered_);
    handed_over_ += gathered_;
    gathered_ = 0;
  }
  return ok_;
}

}  // namespace marrowpin
