#include "core/sjis_text.h"

#include <algorithm>
#include <string>

#include "core/byte_search.h"
#include "decode/base64_decode.h"

namespace marrowpin {

namespace {

// The first character start in text at or after `at`, counting from text's
// first byte: a lead byte at text[at - 1] puts it at at + 1.
std::size_t CharacterStartAtOrAfter(std::string_view text, std::size_t at) {
  std::size_t start = 0;
  while (start < at)
    start += IsShiftJisLeadByte(static_cast<unsigned char>(text[start])) ? 2 : 1;
  return start;
}

// Whether text[at] begins a character, given whether text[0] does. Any byte
// that cannot lead a double-byte character is followed by a character start,
// so only the run of lead-range bytes right before `at` need be looked at.
bool BeginsCharacter(std::string_view text, std::size_t at, bool first_begins) {
  std::size_t run = 0;
  while (run < at && IsShiftJisLeadByte(static_cast<unsigned char>(text[at - 1 - run])))
    ++run;
  if (run < at || first_begins) return run % 2 == 0;
  return run % 2 == 1;
}

// A byte of key that base64 text never holds, where it has one: text
// without it cannot hold the key, which one vector search tells.
char TellingByte(std::string_view key) {
  const auto outside = std::find_if_not(key.begin(), key.end(), IsInBase64Alphabet);
  return outside != key.end() ? *outside : key[0];
}

}  // namespace

std::size_t FindKey(std::string_view text, std::string_view key) {
  if (key.empty()) return 0;
  if (FindByte(text, TellingByte(key)) == std::string_view::npos) return std::string_view::npos;
  // A vector search for the key's first byte finds candidates; a look back
  // over the lead bytes before each rejects those inside a character.
  for (std::size_t at = FindByte(text, key[0]); at != std::string_view::npos;
       at = FindByte(text, key[0], at + 1)) {
    if (text.substr(at, key.size()) == key && BeginsCharacter(text, at, true)) {
      return at;
    }
  }
  return std::string_view::npos;
}

bool KeySearch::Feed(std::string_view part) {
  if (key_.empty()) found_ = true;
  if (found_ || part.empty()) return found_;
  // A match cannot begin on a trail byte, so the search starts at the first
  // character start of the tail, or of the part when no tail is kept.
  std::string_view tail = tail_;
  std::string_view rest = part;
  if (!tail_starts_character_) (tail.empty() ? rest : tail).remove_prefix(1);
  const char telling = TellingByte(key_);
  if (tail.find(telling) != std::string_view::npos ||
      FindByte(rest, telling) != std::string_view::npos) {
    found_ = ContainsKeyJoined(tail, rest, key_);
    if (found_) return true;
  }

  const std::size_t keep = key_.size() - 1;
  if (part.size() >= keep) {
    const bool part_starts_character = BeginsCharacter(tail_, tail_.size(), tail_starts_character_);
    const std::size_t from = part.size() - keep;
    tail_starts_character_ = BeginsCharacter(part, from, part_starts_character);
    tail_.assign(part.substr(from));
  } else {
    std::string joined = tail_ + std::string(part);
    const std::size_t from = joined.size() > keep ? joined.size() - keep : 0;
    tail_starts_character_ = BeginsCharacter(joined, from, tail_starts_character_);
    tail_ = joined.substr(from);
  }
  return false;
}

void KeySearch::Reset() {
  tail_.clear();
  tail_starts_character_ = true;
  found_ = false;
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
  const std::size_t second_start = CharacterStartAtOrAfter(first, first.size()) - first.size();
  return ContainsKey(second.substr(std::min(second_start, second.size())), key);
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
