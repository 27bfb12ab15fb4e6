#include "core/sjis_text.h"

#include <algorithm>
#include <string>

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

bool ContainsKeyJoined(std::string_view first, std::string_view second, std::string_view key) {
  if (first.empty()) return ContainsKey(second, key);
  if (key.empty()) return true;
  // A match that starts in first ends within the key's length of second.
  std::string junction(first);
  junction.append(second.substr(0, key.size() - 1));
  const std::size_t in_junction = FindKey(junction, key);
  if (in_junction != std::string_view::npos && in_junction < first.size()) return true;
  // Character starts in second follow on from those in first: a lead byte
  // at first's end makes second's first byte a trail byte.
  std::size_t walked = 0;
  IsCharacterStart(first, walked, first.size());
  return ContainsKey(second.substr(std::min(walked - first.size(), second.size())), key);
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
