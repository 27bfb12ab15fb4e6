#pragma once

#include <cstddef>
#include <string_view>

// Byte searches that the line splitting and the key searches run over every
// byte of a note, a vector at a time where the CPU allows
// (simd/vector_level.h); the results are the same at every level.
namespace marrowpin {

// Position of the first CR, LF or zero byte in text, or text.size().
std::size_t FindLineBreak(std::string_view text);

// Position of the first byte equal to wanted at or after from, or npos.
std::size_t FindByte(std::string_view text, char wanted, std::size_t from = 0);

}  // namespace marrowpin
