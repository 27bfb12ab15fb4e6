#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace marrowpin {

// The lines of the source file being converted, without their line ends.
// The conversion consumes it from the front while it scans the header.
class LineBuffer {
 public:
  virtual ~LineBuffer() = default;

  virtual void Clear() = 0;
  // Replaces the content with the lines of a whole file's bytes, split by
  // SplitLines (core/line_splitter.h).
  virtual void Load(std::string file_bytes) = 0;
  virtual std::size_t Count() const = 0;
  // The view stays valid until the next call on the buffer.
  virtual std::string_view Line(std::size_t index) = 0;
  virtual void ReplaceFirst(std::string_view text) = 0;
  virtual void DeleteFirst() = 0;
};

}  // namespace marrowpin
