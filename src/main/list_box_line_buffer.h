#pragma once

#include <windows.h>

#include <string>

#include "core/line_source.h"

namespace marrowpin::main {

// The lines of the file being converted, held as the items of a hidden list
// box: the note is loaded whole and its lines are given one by one. The items
// stay after a conversion until the next one loads its file.
class ListBoxLineBuffer final : public LineSource {
 public:
  explicit ListBoxLineBuffer(HWND list_box) : list_box_(list_box) {}

  // Throws std::bad_alloc when the list box cannot hold all the lines.
  void Open(const std::string& path, FileSystem& files) override;
  bool Next(LineSlice& slice) override;
  void HeaderScanned(std::optional<std::string_view> first_piece) override;

 private:
  void Clear();
  void Load(std::string file_bytes);
  std::size_t Count() const;
  std::string_view Line(std::size_t index);
  void Insert(WPARAM index, UINT message, std::string_view text);

  HWND list_box_;
  std::size_t next_line_ = 0;
  std::string line_;  // the text Line last returned
};

}  // namespace marrowpin::main
