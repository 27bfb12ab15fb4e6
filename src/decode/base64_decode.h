#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace marrowpin {

// The 64 characters, each at the place of its value.
inline constexpr std::string_view kBase64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

namespace detail {
constexpr std::array<bool, 256> MakeAlphabetTable() {
  std::array<bool, 256> in_alphabet{};
  for (char c : kBase64Alphabet)
    in_alphabet[static_cast<unsigned char>(c)] = true;
  return in_alphabet;
}
inline constexpr std::array<bool, 256> kInBase64Alphabet = MakeAlphabetTable();
}  // namespace detail

// Whether c is one of the 64 characters of the alphabet ("=" is not).
constexpr bool IsInBase64Alphabet(char c) {
  return detail::kInBase64Alphabet[static_cast<unsigned char>(c)];
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
