#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "core/line_source.h"

namespace marrowpin::win {

// The lines of the file being converted, held as the items of a hidden
// Unicode list box, each byte as one unit of the same value, so that no
// byte is changed by a code page: the note is loaded whole and its lines are
// given one by one. When the header scan ends, the lines read so far are
// dropped in one step (deleting them one by one would shift every later
// item each time), so the scan costs time in proportion to the file. The
// items stay after a conversion until the next one loads its file. Loading
// and reading each line count as one step of the note's progress.
class ListBoxLineBuffer final : public LineSource {
 public:
  explicit ListBoxLineBuffer(HWND list_box) : list_box_(list_box) {}

  // Throws std::bad_alloc when the list box cannot hold all the lines.
  void Open(const std::string& path, FileSystem& files, ConversionProgress* progress) override;
  bool Next(LineSlice& slice) override;
  void HeaderScanned(std::optional<std::string_view> first_piece) override;

 private:
  void Clear();
  std::size_t Count() const;
  std::wstring Item(std::size_t index) const;
  void Insert(UINT message, WPARAM index, const std::wstring& units);
  // Removes the items before next_line_.
  void DropRead();

  // Tells progress of one more step, every kStepsPerReport steps.
  void Step();

  HWND list_box_;
  ConversionProgress* progress_ = nullptr;
  std::uint64_t steps_done_ = 0;
  std::uint64_t steps_ = 0;
  std::size_t next_line_ = 0;
  std::string line_;  // the text Next last gave
};

}  // namespace marrowpin::win
