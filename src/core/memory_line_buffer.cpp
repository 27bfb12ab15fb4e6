#include "core/memory_line_buffer.h"

#include "core/line_splitter.h"

namespace marrowpin {

void MemoryLineBuffer::Clear() {
  bytes_ = std::string();
  starts_ = std::vector<std::size_t>();
  first_ = 0;
  replaced_first_.reset();
}

void MemoryLineBuffer::Load(std::string file_bytes) {
  Clear();
  bytes_ = std::move(file_bytes);
  std::size_t end = 0;
  SplitLines(bytes_, [&](std::string_view line) {
    starts_.push_back(static_cast<std::size_t>(line.data() - bytes_.data()));
    end = starts_.back() + line.size();
  });
  if (!starts_.empty()) {
    starts_.push_back(end);
  }
}

std::size_t MemoryLineBuffer::Count() const {
  return starts_.empty() ? 0 : starts_.size() - 1 - first_;
}

std::string_view MemoryLineBuffer::Line(std::size_t index) {
  if (index == 0 && replaced_first_) {
    return *replaced_first_;
  }
  const std::size_t line = first_ + index;
  const std::size_t begin = starts_[line];
  std::size_t end = starts_[line + 1];
  // The span up to the next line's start ends in that line's line end, which
  // is one or two bytes of CR and LF; no line holds either byte.
  while (end > begin && (bytes_[end - 1] == '\n' || bytes_[end - 1] == '\r'))
    --end;
  return std::string_view(bytes_).substr(begin, end - begin);
}

void MemoryLineBuffer::ReplaceFirst(std::string_view text) {
  replaced_first_ = std::string(text);
}

void MemoryLineBuffer::DeleteFirst() {
  replaced_first_.reset();
  ++first_;
}

}  // namespace marrowpin
