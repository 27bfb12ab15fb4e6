#pragma once

#include <windows.h>

#include <string>

#include "core/line_buffer.h"

namespace marrowpin::win {

// The lines of the file being converted, held as the items of a hidden
// Unicode list box, each byte as one unit of the same value, so that no
// byte is changed by a code page. The items stay after a conversion until
// the next one loads its file.
//
// Deleting an item shifts all later ones, so the header scan's lines are
// not deleted one by one: they are counted as consumed and dropped together
// when the scan ends (line 0 is replaced, a later line is read, or no line
// is left), so the scan costs time in proportion to the file.
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
  std::size_t ItemCount() const;
  std::wstring Item(std::size_t item) const;
  void Insert(UINT message, WPARAM item, const std::wstring& units);
  // Removes the consumed items from the list box.
  void DropConsumed();

  HWND list_box_;
  std::size_t consumed_ = 0;  // items before line 0
  std::string line_;          // the text Line last returned
};

}  // namespace marrowpin::win
