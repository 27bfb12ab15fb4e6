#pragma once

#include <cstddef>
#include <string_view>

namespace marrowpin {

// Whether c is one of the 64 characters of the alphabet ("=" is not).
constexpr bool IsInBase64Alphabet(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '/';
}

// Bytes that Base64Decode yields for a text of text_size characters.
constexpr std::size_t Base64DecodedSize(std::size_t text_size) {
  return text_size / 4 * 3;
}

// Decodes text, a whole number of four-character groups, into out, which must
// hold Base64DecodedSize(text.size()) bytes; returns that count. Every group
// yields exactly three bytes: "=" counts as 0 and is no end mark, and a
// character outside the alphabet also counts as 0. Nothing is checked.
// When only_alphabet is given, it tells whether every character was one of
// the 64 of the alphabet ("=" is not), so that the caller knows the text
// holds no blank and no key. Uses the CPU's vector instructions where it has
// them (simd/vector_level.h); the bytes are the same at every level.
std::size_t Base64Decode(std::string_view text, unsigned char* out, bool* only_alphabet = nullptr);

}  // namespace marrowpin
