#include "core/header_fields.h"

#include <limits>

namespace marrowpin {

namespace {

constexpr std::size_t kMaxValueLength = 255;
constexpr int kMaxSignificantHexDigits = 8;

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hex digits to the end of text, one to eight significant ones, as 32 bits.
std::int32_t ReadHexDigits(std::string_view digits) {
  if (digits.empty()) return 0;
  std::uint32_t value = 0;
  int significant = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return 0;
    if (significant > 0 || digit != 0) {
      if (++significant > kMaxSignificantHexDigits) return 0;
    }
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return static_cast<std::int32_t>(value);
}

std::int32_t ReadDecimalDigits(std::string_view digits, bool negative) {
  if (digits.empty()) return 0;
  // Accumulate the magnitude; int32's minimum is one past its maximum.
  const std::int64_t limit =
      negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
               : std::numeric_limits<std::int32_t>::max();
  std::int64_t magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) return 0;
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

namespace {

void AppendUpToLimit(std::string& value, std::string_view more) {
  value.append(more.substr(0, kMaxValueLength - value.size()));
}

}  // namespace

void HeaderValueReader::Feed(std::string_view slice) {
  if (!colon_seen_) {
    const std::size_t colon = slice.find(':');
    AppendUpToLimit(before_colon_, slice.substr(0, colon));
    if (colon == std::string_view::npos) return;
    colon_seen_ = true;
    slice.remove_prefix(colon + 1);
  }
  AppendUpToLimit(after_colon_, slice);
}

void HeaderValueReader::Reset() {
  before_colon_.clear();
  after_colon_.clear();
  colon_seen_ = false;
}

std::int32_t ReadInteger(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  const std::string_view rest = text.substr(i);
  if (rest.starts_with("0x") || rest.starts_with("0X")) return ReadHexDigits(rest.substr(2));
  if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
    return ReadHexDigits(rest.substr(1));
  }
  return ReadDecimalDigits(rest, negative);
}

std::string_view TrimLeadingBlanks(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && static_cast<unsigned char>(text[begin]) <= 32)
    ++begin;
  return text.substr(begin);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && static_cast<unsigned char>(text[end - 1]) <= 32)
    --end;
  return text.substr(0, end);
}

std::string_view TrimBlanks(std::string_view text) {
  return TrimTrailingBlanks(TrimLeadingBlanks(text));
}

}  // namespace marrowpin
