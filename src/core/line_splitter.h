#pragma once

#include <cstddef>
#include <string_view>

#include "core/byte_search.h"
#include "core/line_source.h"

namespace marrowpin {

// Splits a note's bytes, which may arrive in chunks, into lines. Line ends
// are CR LF, a lone CR and a lone LF (so LF CR ends two lines); the first
// zero byte ends the text; a final line without a line end counts, a line end
// at the very end adds no empty line. A line that runs past the end of a
// chunk comes out in slices, so that no line need be held whole; a CR at the
// end of a chunk still pairs with an LF at the start of the next.
class LineSplitter {
 public:
  // Goes on with the next chunk; the slices point into it.
  void Feed(std::string_view chunk);
  // The next slice within the current chunk; false when it is used up.
  bool Next(LineSlice& slice) {
    if (after_cr_ || line_open_ || ended_ || position_ >= chunk_.size()) return NextAtEdge(slice);
    // A line that starts and ends within the chunk: the common case.
    const std::string_view rest = chunk_.substr(position_);
    const std::size_t end = FindLineBreak(rest);
    if (end == rest.size() || rest[end] == '\0') return NextAtEdge(slice);
    slice = LineSlice{rest.substr(0, end), true};
    PassLineBreak(rest, end);
    return true;
  }
  // The rest of the current chunk when the next slice would start a line;
  // empty otherwise.
  std::string_view Ahead() const {
    if (after_cr_ || line_open_ || ended_ || position_ >= chunk_.size()) return {};
    return chunk_.substr(position_);
  }
  // Goes past the first size bytes of Ahead(), which end after a line end
  // that is not a CR last in the chunk.
  void Pass(std::size_t size) { position_ += size; }
  // After the last chunk: the end of a line that was left open, as an empty
  // slice; false when no line was open.
  bool Finish(LineSlice& slice);
  // True once a zero byte has ended the text: later chunks give nothing.
  bool ended() const { return ended_; }

 private:
  bool NextAtEdge(LineSlice& slice);
  // Goes past the line break at rest[end]: CR LF is one line end, and a CR
  // at the chunk's end waits for the next chunk's first byte.
  void PassLineBreak(std::string_view rest, std::size_t end) {
    position_ += end + 1;
    if (rest[end] != '\r') return;
    if (end + 1 == rest.size()) {
      after_cr_ = true;
    } else if (rest[end + 1] == '\n') {
      ++position_;
    }
  }

  std::string_view chunk_;
  std::size_t position_ = 0;
  bool line_open_ = false;  // a slice of the current line has been given
  bool after_cr_ = false;   // an LF here belongs to the CR before it
  bool ended_ = false;
};

// Calls on_line(line) for each line of a whole file's bytes.
template <typename OnLine>
void SplitLines(std::string_view bytes, OnLine&& on_line) {
  // In one chunk every line comes as one slice.
  LineSplitter splitter;
  splitter.Feed(bytes);
  for (LineSlice slice; splitter.Next(slice);)
    on_line(slice.text);
}

}  // namespace marrowpin
