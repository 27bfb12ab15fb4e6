#include "win/memo_lines.h"

#include <climits>

#include "win/wide_text.h"

namespace marrowpin::win {

namespace {

constexpr WORD kLongestLine = 4096;

}  // namespace

void MemoLines::Clear() {
  SetWindowTextW(edit_, L"");
}

void MemoLines::Append(std::string_view line) {
  std::wstring text = GetWindowTextLengthW(edit_) > 0 ? L"\r\n" : L"";
  text += Wide(line);
  SendMessageW(edit_, EM_SETSEL, INT_MAX, INT_MAX);
  SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void MemoLines::Assign(const std::vector<std::string>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += Wide(lines[i]);
  }
  SetWindowTextW(edit_, text.c_str());
}

int MemoLines::Count() const {
  int count = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0));
  const LRESULT last_start = SendMessageW(edit_, EM_LINEINDEX, count - 1, 0);
  if (count > 0 && SendMessageW(edit_, EM_LINELENGTH, last_start, 0) == 0) {
    --count;
  }
  return count;
}

std::string MemoLines::Line(int index) const {
  std::wstring line(kLongestLine, L'\0');
  // The control takes the buffer's size from the buffer's first unit.
  line[0] = static_cast<wchar_t>(kLongestLine);
  const LRESULT copied =
      SendMessageW(edit_, EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data()));
  line.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return Utf8(line);
}

}  // namespace marrowpin::win
