#include "main/memo_lines.h"

#include <climits>
#include <cstring>

namespace marrowpin::main {

namespace {

constexpr WORD kLongestLine = 4096;

}  // namespace

void MemoLines::Clear() {
  SetWindowTextA(edit_, "");
}

void MemoLines::Append(std::string_view line) {
  std::string text = GetWindowTextLengthA(edit_) > 0 ? "\r\n" : "";
  text += line;
  SendMessageA(edit_, EM_SETSEL, INT_MAX, INT_MAX);
  SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

int MemoLines::Count() const {
  int count = static_cast<int>(SendMessageA(edit_, EM_GETLINECOUNT, 0, 0));
  const LRESULT last_start = SendMessageA(edit_, EM_LINEINDEX, count - 1, 0);
  if (count > 0 && SendMessageA(edit_, EM_LINELENGTH, last_start, 0) == 0) {
    --count;
  }
  return count;
}

std::string MemoLines::Line(int index) const {
  std::string line(kLongestLine, '\0');
  // The control takes the buffer's size from the buffer's first word.
  std::memcpy(line.data(), &kLongestLine, sizeof kLongestLine);
  const LRESULT copied =
      SendMessageA(edit_, EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data()));
  line.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return line;
}

}  // namespace marrowpin::main
