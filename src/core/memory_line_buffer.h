#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/line_buffer.h"

namespace marrowpin {

// A LineBuffer that keeps the file's bytes in one block and finds its lines on
// demand. Loading counts the lines but stores no index: the conversion reads
// lines in order, so each is found from the one read before, and a big file
// costs no memory beyond its bytes.
class MemoryLineBuffer final : public LineBuffer {
 public:
  void Clear() override;
  void Load(std::string file_bytes) override;
  std::size_t Count() const override;
  std::string_view Line(std::size_t index) override;
  void ReplaceFirst(std::string_view text) override;
  void DeleteFirst() override;

 private:
  void MoveCursorToFirst();

  std::string bytes_;
  // The bytes before the first zero byte, which are all the lines hold.
  std::string_view text_;
  std::size_t count_ = 0;
  // Where line 0 starts in text_; lines before it have been deleted.
  std::size_t first_start_ = 0;
  // The line found last, as its index, start and end, to go on from.
  std::size_t cursor_index_ = 0;
  std::size_t cursor_start_ = 0;
  std::size_t cursor_end_ = 0;
  std::optional<std::string> replaced_first_;
};

}  // namespace marrowpin
