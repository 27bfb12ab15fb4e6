#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace marrowpin::win {

// The lines of a multi-line edit control, one path per line, in UTF-8.
class MemoLines {
 public:
  explicit MemoLines(HWND edit) : edit_(edit) {}

  void Clear();
  void Append(std::string_view line);
  // Replaces the text with these lines, in one step however many there are.
  void Assign(const std::vector<std::string>& lines);
  // The number of lines, not counting an empty last line after the final
  // line end (nor the single empty line of an empty control).
  int Count() const;
  // Line index as it stands, up to 4096 characters.
  std::string Line(int index) const;

 private:
  HWND edit_;
};

}  // namespace marrowpin::win
