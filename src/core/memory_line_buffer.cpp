#include "core/memory_line_buffer.h"

#include "core/line_splitter.h"

namespace marrowpin {

void MemoryLineBuffer::Clear() {
  bytes_ = std::string();
  text_ = std::string_view();
  count_ = 0;
  first_start_ = 0;
  MoveCursorToFirst();
  replaced_first_.reset();
}

void MemoryLineBuffer::Load(std::string file_bytes) {
  Clear();
  bytes_ = std::move(file_bytes);
  text_ = TextBeforeZero(bytes_);
  MoveCursorToFirst();
  for (std::size_t start = 0; start < text_.size();
       start = NextLineStart(text_, FindLineEnd(text_, start)))
    ++count_;
}

std::size_t MemoryLineBuffer::Count() const {
  return count_;
}

std::string_view MemoryLineBuffer::Line(std::size_t index) {
  if (index == 0 && replaced_first_) {
    return *replaced_first_;
  }
  if (index >= count_) return {};
  if (index < cursor_index_) {
    MoveCursorToFirst();
  }
  for (; cursor_index_ < index; ++cursor_index_) {
    cursor_start_ = NextLineStart(text_, cursor_end_);
    cursor_end_ = FindLineEnd(text_, cursor_start_);
  }
  return text_.substr(cursor_start_, cursor_end_ - cursor_start_);
}

void MemoryLineBuffer::ReplaceFirst(std::string_view text) {
  replaced_first_ = std::string(text);
}

void MemoryLineBuffer::DeleteFirst() {
  replaced_first_.reset();
  if (count_ == 0) return;
  first_start_ = NextLineStart(text_, FindLineEnd(text_, first_start_));
  --count_;
  // Every remaining line moves up by one index.
  if (cursor_index_ > 0) {
    --cursor_index_;
  } else {
    MoveCursorToFirst();
  }
}

void MemoryLineBuffer::MoveCursorToFirst() {
  cursor_index_ = 0;
  cursor_start_ = first_start_;
  cursor_end_ = FindLineEnd(text_, first_start_);
}

}  // namespace marrowpin
