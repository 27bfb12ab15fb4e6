#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// How the conversion reads the values of header lines.
namespace marrowpin {

// The value of a header line that arrives in slices, without holding the
// line: the text after the line's first ":" (the whole line when it has
// none), cut to at most 255 bytes.
class HeaderValueReader {
 public:
  void Feed(std::string_view slice);
  std::string_view Value() const { return colon_seen_ ? after_colon_ : before_colon_; }
  void Reset();

 private:
  std::string before_colon_;  // the line's first bytes while no ":" has come
  std::string after_colon_;
  bool colon_seen_ = false;
};

// A 32-bit integer by the header rule: leading spaces, one optional sign,
// then decimal digits within int32, or "$", "x", "X", "0x", "0X" and one to
// eight significant hex digits taken as 32 bits (sign ignored). The digits
// must run to the end; anything else reads as 0.
std::int32_t ReadInteger(std::string_view text);

// The text without the bytes of value 32 or below at either end, at its
// start or at its end.
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeadingBlanks(std::string_view text);
std::string_view TrimTrailingBlanks(std::string_view text);

}  // namespace marrowpin
