#include "main/list_box_line_buffer.h"

#include <new>

#include "core/line_splitter.h"

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
  Clear();
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

void ListBoxLineBuffer::ReplaceFirst(std::string_view text) {
  SendMessageA(list_box_, LB_DELETESTRING, 0, 0);
  Insert(0, LB_INSERTSTRING, text);
}

void ListBoxLineBuffer::DeleteFirst() {
  SendMessageA(list_box_, LB_DELETESTRING, 0, 0);
}

}  // namespace marrowpin::main
