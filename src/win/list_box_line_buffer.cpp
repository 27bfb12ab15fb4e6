#include "win/list_box_line_buffer.h"

#include <new>
#include <vector>

#include "core/line_splitter.h"
#include "core/read_whole_file.h"
#include "win_text/utf16.h"

namespace marrowpin::win {

namespace {

// Up to this many items read are deleted one by one (each shift is cheap);
// more are dropped by refilling the list box with the rest.
constexpr std::size_t kItemsDeletedOneByOne = 16;

// Lines loaded or read between two reports of progress: a few milliseconds'
// work, so that the window answers at once through a note of any length.
constexpr std::uint64_t kStepsPerReport = 1024;

}  // namespace

void ListBoxLineBuffer::Clear() {
  SendMessageW(list_box_, LB_RESETCONTENT, 0, 0);
}

std::size_t ListBoxLineBuffer::Count() const {
  const LRESULT count = SendMessageW(list_box_, LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::wstring ListBoxLineBuffer::Item(std::size_t index) const {
  const LRESULT length = SendMessageW(list_box_, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return {};
  std::wstring units(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(list_box_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(units.data()));
  units.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return units;
}

void ListBoxLineBuffer::Insert(UINT message, WPARAM index, const std::wstring& units) {
  const LRESULT result =
      SendMessageW(list_box_, message, index, reinterpret_cast<LPARAM>(units.c_str()));
  if (result == LB_ERR || result == LB_ERRSPACE) {
    throw std::bad_alloc();
  }
}

void ListBoxLineBuffer::Step() {
  if (++steps_done_ % kStepsPerReport == 0 && progress_) progress_->Reached(steps_done_, steps_);
}

void ListBoxLineBuffer::Open(const std::string& path, FileSystem& files,
                             ConversionProgress* progress) {
  Clear();
  next_line_ = 0;
  progress_ = progress;
  steps_done_ = 0;
  steps_ = 0;
  const std::string file_bytes = ReadWholeFile(files, path);
  // The list box is never shown: it need not redraw after every line.
  SendMessageW(list_box_, WM_SETREDRAW, FALSE, 0);
  std::size_t lines = 0;
  SplitLines(file_bytes, [&lines](std::string_view) { ++lines; });
  steps_ = std::uint64_t{lines} * 2;
  // Room for every item at once, instead of growing step by step.
  SendMessageW(list_box_, LB_INITSTORAGE, lines, file_bytes.size() * sizeof(wchar_t));
  SplitLines(file_bytes, [this](std::string_view line) {
    Insert(LB_ADDSTRING, 0, win_text::UnitsFromBytes<wchar_t>(line));
    Step();
  });
}

bool ListBoxLineBuffer::Next(LineSlice& slice) {
  if (next_line_ >= Count()) return false;
  line_ = win_text::BytesFromUnits<wchar_t>(Item(next_line_++));
  Step();
  slice = LineSlice{line_, true};
  return true;
}

void ListBoxLineBuffer::HeaderScanned(std::optional<std::string_view> first_piece) {
  // The header's lines go, as if each had been deleted once read.
  DropRead();
  if (first_piece && !first_piece->empty()) {
    Insert(LB_INSERTSTRING, 0, win_text::UnitsFromBytes<wchar_t>(*first_piece));
    next_line_ = 1;
  }
}

void ListBoxLineBuffer::DropRead() {
  if (next_line_ <= kItemsDeletedOneByOne) {
    for (; next_line_ > 0; --next_line_) {
      SendMessageW(list_box_, LB_DELETESTRING, 0, 0);
    }
    return;
  }
  std::vector<std::wstring> rest;
  rest.reserve(Count() - next_line_);
  // Long for a long payload: progress is told meanwhile, as it stands.
  const auto keep_telling = [this](std::size_t done) {
    if (done % kStepsPerReport == 0 && progress_) progress_->Reached(steps_done_, steps_);
  };
  for (std::size_t index = next_line_; index < Count(); ++index) {
    rest.push_back(Item(index));
    keep_telling(index);
  }
  Clear();
  next_line_ = 0;
  SendMessageW(list_box_, LB_INITSTORAGE, rest.size(), 0);
  for (std::size_t index = 0; index < rest.size(); ++index) {
    Insert(LB_ADDSTRING, 0, rest[index]);
    keep_telling(index);
  }
}

}  // namespace marrowpin::win
