#pragma once

#include <cstddef>
#include <string_view>

namespace marrowpin {

// Bytes that Base64Decode yields for a text of text_size characters.
constexpr std::size_t Base64DecodedSize(std::size_t text_size) {
  return text_size / 4 * 3;
}

// Decodes text, a whole number of four-character groups, into out, which must
// hold Base64DecodedSize(text.size()) bytes; returns that count. Every group
// yields exactly three bytes: "=" counts as 0 and is no end mark, and a
// character outside the alphabet also counts as 0. Nothing is checked.
std::size_t Base64Decode(std::string_view text, unsigned char* out);

}  // namespace marrowpin
