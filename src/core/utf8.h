#pragma once

#include <cstddef>
#include <string_view>

namespace marrowpin {

// Whether a three-byte sequence of a surrogate (U+D800 to U+DFFF) counts as
// a character: no UTF-8 holds one, but Windows names may hold a lone
// surrogate, which the UTF-16 conversion must carry through.
enum class Surrogates { kRefused, kAccepted };

// The length of the valid UTF-8 sequence at the start of text, with its code
// point in code_point; 0 when text is empty or starts with no valid sequence:
// a shortest form of a code point up to U+10FFFF, and of no surrogate unless
// surrogates says so.
std::size_t Utf8SequenceAt(std::string_view text, char32_t& code_point,
                           Surrogates surrogates = Surrogates::kRefused);

}  // namespace marrowpin
