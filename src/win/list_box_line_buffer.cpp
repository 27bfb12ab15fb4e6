#include "win/list_box_line_buffer.h"

#include <new>
#include <vector>

#include "core/line_splitter.h"
#include "win_text/utf16.h"

namespace marrowpin::win {

namespace {

// Up to this many consumed items are deleted one by one (each shift is
// cheap); more are dropped by refilling the list box with the rest.
constexpr std::size_t kItemsDeletedOneByOne = 16;

}  // namespace

void ListBoxLineBuffer::Clear() {
  SendMessageW(list_box_, LB_RESETCONTENT, 0, 0);
  consumed_ = 0;
}

std::size_t ListBoxLineBuffer::ItemCount() const {
  const LRESULT count = SendMessageW(list_box_, LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::wstring ListBoxLineBuffer::Item(std::size_t item) const {
  const LRESULT length = SendMessageW(list_box_, LB_GETTEXTLEN, item, 0);
  if (length <= 0) return {};
  std::wstring units(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(list_box_, LB_GETTEXT, item, reinterpret_cast<LPARAM>(units.data()));
  units.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return units;
}

void ListBoxLineBuffer::Insert(UINT message, WPARAM item, const std::wstring& units) {
  const LRESULT result =
      SendMessageW(list_box_, message, item, reinterpret_cast<LPARAM>(units.c_str()));
  if (result == LB_ERR || result == LB_ERRSPACE) {
    throw std::bad_alloc();
  }
}

void ListBoxLineBuffer::Load(std::string file_bytes) {
  Clear();
  // The list box is never shown: it need not redraw after every line.
  SendMessageW(list_box_, WM_SETREDRAW, FALSE, 0);
  std::size_t lines = 0;
  SplitLines(file_bytes, [&lines](std::string_view) { ++lines; });
  // Room for every item at once, instead of growing step by step.
  SendMessageW(list_box_, LB_INITSTORAGE, lines, file_bytes.size() * sizeof(wchar_t));
  SplitLines(file_bytes, [this](std::string_view line) {
    Insert(LB_ADDSTRING, 0, win_text::UnitsFromBytes<wchar_t>(line));
  });
}

std::size_t ListBoxLineBuffer::Count() const {
  return ItemCount() - consumed_;
}

std::string_view ListBoxLineBuffer::Line(std::size_t index) {
  // The header scan reads only line 0: reading further means it has ended.
  if (index > 0) DropConsumed();
  line_ = win_text::BytesFromUnits<wchar_t>(Item(consumed_ + index));
  return line_;
}

void ListBoxLineBuffer::ReplaceFirst(std::string_view text) {
  DropConsumed();
  SendMessageW(list_box_, LB_DELETESTRING, 0, 0);
  Insert(LB_INSERTSTRING, 0, win_text::UnitsFromBytes<wchar_t>(text));
}

void ListBoxLineBuffer::DeleteFirst() {
  if (Count() == 0) return;
  ++consumed_;
  // A file without a payload leaves nothing.
  if (Count() == 0) Clear();
}

void ListBoxLineBuffer::DropConsumed() {
  if (consumed_ <= kItemsDeletedOneByOne) {
    for (; consumed_ > 0; --consumed_) {
      SendMessageW(list_box_, LB_DELETESTRING, 0, 0);
    }
    return;
  }
  std::vector<std::wstring> rest;
  rest.reserve(Count());
  for (std::size_t item = consumed_; item < ItemCount(); ++item) {
    rest.push_back(Item(item));
  }
  Clear();
  SendMessageW(list_box_, LB_INITSTORAGE, rest.size(), 0);
  for (const std::wstring& units : rest) {
    Insert(LB_ADDSTRING, 0, units);
  }
}

}  // namespace marrowpin::win
