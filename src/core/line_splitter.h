#pragma once

#include <cstring>
#include <string_view>

namespace marrowpin {

// Calls on_line(line) for each line of a whole file's bytes. CR LF, a lone
// CR and a lone LF each end a line (so LF CR ends two); the first zero byte
// ends the text; a final line without a line end counts, a line end at the
// very end adds no empty line.
template <typename OnLine>
void SplitLines(std::string_view bytes, OnLine&& on_line) {
  const char* text = bytes.data();
  if (const void* zero = std::memchr(text, '\0', bytes.size())) {
    bytes = bytes.substr(0, static_cast<const char*>(zero) - text);
  }
  std::size_t start = 0;
  const std::size_t size = bytes.size();
  while (start < size) {
    std::size_t end = start;
    while (end < size && text[end] != '\n' && text[end] != '\r') {
      ++end;
    }
    on_line(bytes.substr(start, end - start));
    if (end < size && text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
}

}  // namespace marrowpin
