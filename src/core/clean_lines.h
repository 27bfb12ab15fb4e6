#pragma once

#include <cstddef>
#include <string_view>

// Payload lines that need none of the line-by-line rules. A clean line is one
// or more base64 alphabet characters ("=" is not one of them): it has no
// blanks to trim, cannot be empty and holds no key, not even joined to a
// carried-over partial group, since every key holds a character outside the
// alphabet where the line would begin. A run of clean lines therefore decodes
// as its characters joined. Both searches use the CPU's vector instructions
// where it has them (simd/vector_level.h); the results are the same at every
// level.
namespace marrowpin {

// A run of clean lines: its length in the text, line ends included, and the
// number of its characters.
struct CleanLines {
  std::size_t length = 0;
  std::size_t characters = 0;
};

// Finds the longest start of text made of whole clean lines, each with its
// line end (CR LF, a lone CR or a lone LF), and writes their characters
// without the line ends to out, which must have room for text.size() + 64
// bytes (bytes after the characters may be overwritten). The run is empty
// when the first line is not clean. A CR as the last byte of text ends no
// line here, since an LF that follows it would belong to it.
CleanLines JoinCleanLines(std::string_view text, char* out);

}  // namespace marrowpin
