#include "main/list_box_line_buffer.h"

#include <new>

#include "core/line_splitter.h"
#include "core/read_whole_file.h"

namespace marrowpin::main {

void ListBoxLineBuffer::Clear() {
  SendMessageA(list_box_, LB_RESETCONTENT, 0, 0);
}

void ListBoxLineBuffer::Insert(WPARAM index, UINT message, std::string_view text) {
  const std::string item(text);  // the list box takes zero-terminated text
  const LRESULT result =
      SendMessageA(list_box_, message, index, reinterpret_cast<LPARAM>(item.c_str()));
  if (result == LB_ERR || result == LB_ERRSPACE) {
    throw std::bad_alloc();
  }
}

void ListBoxLineBuffer::Load(std::string file_bytes) {
  // The list box is never shown: it need not redraw after every line.
  SendMessageA(list_box_, WM_SETREDRAW, FALSE, 0);
  SplitLines(file_bytes, [this](std::string_view line) { Insert(0, LB_ADDSTRING, line); });
}

std::size_t ListBoxLineBuffer::Count() const {
  const LRESULT count = SendMessageA(list_box_, LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::string_view ListBoxLineBuffer::Line(std::size_t index) {
  const LRESULT length = SendMessageA(list_box_, LB_GETTEXTLEN, index, 0);
  if (length <= 0) {
    line_.clear();
    return line_;
  }
  line_.assign(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(list_box_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line_.data()));
  line_.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return line_;
}

void ListBoxLineBuffer::Open(const std::string& path, FileSystem& files) {
  Clear();
  next_line_ = 0;
  Load(ReadWholeFile(files, path));
}

void ListBoxLineBuffer::HeaderScanned(std::optional<std::string_view> first_piece) {
  // The header's lines go, as if each had been deleted once read.
  for (; next_line_ > 0; --next_line_)
    SendMessageA(list_box_, LB_DELETESTRING, 0, 0);
  if (first_piece && !first_piece->empty()) {
    Insert(0, LB_INSERTSTRING, *first_piece);
    next_line_ = 1;
  }
}

bool ListBoxLineBuffer::Next(LineSlice& slice) {
  if (next_line_ >= Count()) return false;
  slice = LineSlice{Line(next_line_++), true};
  return true;
}

}  // namespace marrowpin::main
