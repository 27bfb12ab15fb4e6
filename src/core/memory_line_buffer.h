#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/line_buffer.h"

namespace marrowpin {

// A LineBuffer that keeps the file's bytes in one block and indexes its lines,
// so loading costs one allocation for the bytes and one for the index.
class MemoryLineBuffer final : public LineBuffer {
 public:
  void Clear() override;
  void Load(std::string file_bytes) override;
  std::size_t Count() const override;
  std::string_view Line(std::size_t index) override;
  void ReplaceFirst(std::string_view text) override;
  void DeleteFirst() override;

 private:
  std::string bytes_;
  // Start of every line, then one past the last line's end.
  std::vector<std::size_t> starts_;
  // Lines before first_ have been deleted.
  std::size_t first_ = 0;
  std::optional<std::string> replaced_first_;
};

}  // namespace marrowpin
