#pragma once

#include <windows.h>

#include <string>

#include "core/line_buffer.h"

namespace marrowpin::main {

// The lines of the file being converted, held as the items of a hidden list
// box. The items stay after a conversion until the next one loads its file.
class ListBoxLineBuffer final : public LineBuffer {
 public:
  explicit ListBoxLineBuffer(HWND list_box) : list_box_(list_box) {}

  void Clear() override;
  // Throws std::bad_alloc when the list box cannot hold all the lines.
  void Load(std::string file_bytes) override;
  std::size_t Count() const override;
  std::string_view Line(std::size_t index) override;
  void ReplaceFirst(std::string_view text) override;
  void DeleteFirst() override;

 private:
  void Insert(WPARAM index, UINT message, std::string_view text);

  HWND list_box_;
  std::string line_;  // the text Line last returned
};

}  // namespace marrowpin::main
