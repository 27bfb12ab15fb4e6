#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace marrowpin {

// Line ends are CR LF, a lone CR and a lone LF (so LF CR ends two lines); the
// first zero byte ends the text; a final line without a line end counts, a
// line end at the very end adds no empty line.

// The text up to its first zero byte.
inline std::string_view TextBeforeZero(std::string_view bytes) {
  if (const void* zero = std::memchr(bytes.data(), '\0', bytes.size())) {
    return bytes.substr(0, static_cast<const char*>(zero) - bytes.data());
  }
  return bytes;
}

// Position of the first CR or LF at or after from, or text.size(). Eight bytes
// are tested at a time for any byte below 14, which base64 text never holds,
// so a payload line costs a few steps per line instead of one per byte.
inline std::size_t FindLineEnd(std::string_view text, std::size_t from) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t at = from < size ? from : size;
  while (at + 8 <= size) {
    std::uint64_t word;
    std::memcpy(&word, data + at, sizeof word);
    // Nonzero when some byte of word is below 14 (exact for limits up to 128).
    if (((word - kOnes * 14) & ~word & kHighBits) != 0) break;
    at += 8;
  }
  while (at < size && data[at] != '\n' && data[at] != '\r')
    ++at;
  return at;
}

// Where the line after the line end at end starts (CR LF counts as one end);
// text.size() when there is no further line, also for the end of the text.
inline std::size_t NextLineStart(std::string_view text, std::size_t end) {
  if (end >= text.size()) return text.size();
  if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') return end + 2;
  return end + 1;
}

// Calls on_line(line) for each line of a whole file's bytes.
template <typename OnLine>
void SplitLines(std::string_view bytes, OnLine&& on_line) {
  const std::string_view text = TextBeforeZero(bytes);
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = FindLineEnd(text, start);
    on_line(text.substr(start, end - start));
    start = NextLineStart(text, end);
  }
}

}  // namespace marrowpin
