#pragma once

#include <cstddef>
#include <string_view>

// Byte-string searches that respect Shift-JIS (code page 932) characters: a
// match never begins on the second byte of a double-byte character. The
// lead-byte table is fixed so that results do not depend on the locale.
namespace marrowpin {

constexpr bool IsShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Position of the first exact, case-sensitive match of key, or npos.
std::size_t FindKey(std::string_view text, std::string_view key);

inline bool ContainsKey(std::string_view text, std::string_view key) {
  return FindKey(text, key) != std::string_view::npos;
}

// Whether the text made of first followed by second contains key, found as
// FindKey would find it there, without joining the two.
bool ContainsKeyJoined(std::string_view first, std::string_view second, std::string_view key);

// Position of the last byte of text that is one of separators and not the
// second byte of a double-byte character, or npos.
std::size_t FindLastSeparator(std::string_view text, std::string_view separators);

}  // namespace marrowpin
