#include "core/line_splitter.h"

namespace marrowpin {

void LineSplitter::Feed(std::string_view chunk) {
  chunk_ = chunk;
  position_ = 0;
}

// Every case, the edges of chunks and of the text included.
bool LineSplitter::NextAtEdge(LineSlice& slice) {
  if (ended_) return false;
  if (after_cr_ && position_ < chunk_.size()) {
    after_cr_ = false;
    if (chunk_[position_] == '\n') ++position_;
  }
  if (position_ >= chunk_.size()) return false;
  const std::string_view rest = chunk_.substr(position_);
  const std::size_t end = FindLineBreak(rest);
  if (end == rest.size()) {
    slice = LineSlice{rest, false};
    line_open_ = true;
    position_ = chunk_.size();
    return true;
  }
  const char line_break = rest[end];
  if (line_break == '\0') {
    ended_ = true;
    if (end == 0 && !line_open_) return false;
  }
  slice = LineSlice{rest.substr(0, end), true};
  line_open_ = false;
  PassLineBreak(rest, end);
  return true;
}

bool LineSplitter::Finish(LineSlice& slice) {
  const bool open = line_open_ && !ended_;
  line_open_ = false;
  ended_ = true;
  if (open) slice = LineSlice{std::string_view(), true};
  return open;
}

}  // namespace marrowpin
