#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace marrowpin::win {

// The lines of a multi-line edit control, one path per line, in UTF-8.
class MemoLines {
 public:
  explicit MemoLines(HWND edit) : edit_(edit) {}

  void Clear();
  void Append(std::string_view line);
  // The number of lines, not counting an empty last line after the final
  // line end (nor the single empty line of an empty control).
  int Count() const;
  // Line index as it stands, up to 4096 characters.
  std::string Line(int index) const;

 private:
  HWND edit_;
};

}  // namespace marrowpin::win
