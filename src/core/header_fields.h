#pragma once

#include <cstdint>
#include <string_view>

// How the conversion reads the values of header lines.
namespace marrowpin {

// The text after the line's first ":" (the whole line when it has none),
// cut to at most 255 bytes.
std::string_view HeaderValue(std::string_view line);

// A 32-bit integer by the header rule: leading spaces, one optional sign,
// then decimal digits within int32, or "$", "x", "X", "0x", "0X" and one to
// eight significant hex digits taken as 32 bits (sign ignored). The digits
// must run to the end; anything else reads as 0.
std::int32_t ReadInteger(std::string_view text);

// The text without the bytes of value 32 or below at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace marrowpin
