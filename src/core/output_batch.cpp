#include "core/output_batch.h"

#include <algorithm>

namespace marrowpin {

OutputBatch::OutputBatch(OutputFile& file, std::uint64_t written)
    : file_(file), handed_over_(written) {}

unsigned char* OutputBatch::MakeRoom(std::size_t size) {
  if (gathered_ > 0) HandOver();
  if (capacity_[current_] < size) {
    // Left uninitialised: the pages are touched only as bytes are decoded.
    capacity_[current_] = std::max(size, kBlockSize);
    blocks_[current_] = std::make_unique_for_overwrite<unsigned char[]>(capacity_[current_]);
  }
  return blocks_[current_].get();
}

void OutputBatch::HandOver() {
  ok_ = ok_ && file_.WriteInBackground(blocks_[current_].get(), gathered_);
  handed_over_ += gathered_;
  gathered_ = 0;
  // The file is done with the other block once this write has started.
  current_ = 1 - current_;
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
    ok_ = ok_ && file_.Write(blocks_[current_].get(), gathered_);
    handed_over_ += gathered_;
    gathered_ = 0;
  }
  const bool finished = file_.FinishWrites();
  ok_ = ok_ && finished;
  return ok_;
}

}  // namespace marrowpin
