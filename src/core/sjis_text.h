#pragma once

#include <cstddef>
#include <string>
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

// Looks for a key in a text that arrives in parts (the slices of a line),
// finding it wherever FindKey would find it in the whole text. Keeps only the
// last few bytes fed, which a match may span.
class KeySearch {
 public:
  // key must outlive the search.
  explicit KeySearch(std::string_view key) : key_(key) {}

  // Feeds the next part; true once the key has been found.
  bool Feed(std::string_view part);
  bool found() const { return found_; }
  std::string_view key() const { return key_; }
  // Starts on a new text.
  void Reset();

 private:
  std::string_view key_;
  // The last bytes fed, fewer than the key's; tail_starts_character_ tells
  // whether the first of them begins a character.
  std::string tail_;
  bool tail_starts_character_ = true;
  bool found_ = false;
};

// Position of the last byte of text that is one of separators and not the
// second byte of a double-byte character, or npos.
std::size_t FindLastSeparator(std::string_view text, std::string_view separators);

}  // namespace marrowpin
