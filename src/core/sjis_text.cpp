#include "core/sjis_text.h"

namespace marrowpin {

namespace {

// Walks character starts from position `from` (itself a character start) up
// to `target`; true when target is a character start.
bool IsCharacterStart(std::string_view text, std::size_t& from, std::size_t target) {
  while (from < target) {
    from += IsShiftJisLeadByte(static_cast<unsigned char>(text[from])) ? 2 : 1;
  }
  return from == target;
}

}  // namespace

std::size_t FindKey(std::string_view text, std::string_view key) {
  // The plain search finds candidates quickly; the walk from the text's
  // start, kept across candidates, rejects those inside a character.
  std::size_t walked = 0;
  for (std::size_t at = text.find(key); at != std::string_view::npos; at = text.find(key, at + 1)) {
    if (IsCharacterStart(text, walked, at)) {
      return at;
    }
  }
  return std::string_view::npos;
}

std::size_t FindLastSeparator(std::string_view text, std::string_view separators) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (IsShiftJisLeadByte(byte)) {
      i += 2;
      continue;
    }
    if (separators.find(static_cast<char>(byte)) != std::string_view::npos) {
      last = i;
    }
    ++i;
  }
  return last;
}

}  // namespace marrowpin
