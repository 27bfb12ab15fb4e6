#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/utf8.h"

// The Windows program's text inside is 8-bit, UTF-8; the window system's is
// UTF-16. These conversions run at that edge. Unit is the 16-bit code unit
// of the caller's platform (wchar_t on Windows, char16_t elsewhere).
namespace marrowpin::win_text {

// UTF-16 as UTF-8. A surrogate without its partner, which Windows allows in
// names, becomes a three-byte sequence of its own, so that every path
// Windows can hold comes back unchanged from Utf16FromUtf8.
template <typename Unit>
std::string Utf8FromUtf16(std::basic_string_view<Unit> text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t code = static_cast<char16_t>(text[i]);
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size()) {
      const char32_t low = static_cast<char16_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (code < 0x80) {
      utf8.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (code >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0 | (code >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xF0 | (code >> 18)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return utf8;
}

// UTF-8 as UTF-16; a three-byte surrogate from Utf8FromUtf16 comes back as
// that unit. Each byte that starts no valid sequence becomes U+FFFD.
template <typename Unit>
std::basic_string<Unit> Utf16FromUtf8(std::string_view text) {
  std::basic_string<Unit> utf16;
  utf16.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t length = Utf8SequenceAt(text.substr(i), code, Surrogates::kAccepted);
    if (length == 0) {
      utf16.push_back(static_cast<Unit>(0xFFFD));
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      utf16.push_back(static_cast<Unit>(0xD800 + ((code - 0x10000) >> 10)));
      utf16.push_back(static_cast<Unit>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      utf16.push_back(static_cast<Unit>(code));
    }
    i += length;
  }
  return utf16;
}

// A note's bytes in a Unicode list box: each byte is one unit of the same
// value, so that nothing is converted and every byte comes back as it was.
template <typename Unit>
std::basic_string<Unit> UnitsFromBytes(std::string_view bytes) {
  std::basic_string<Unit> units(bytes.size(), Unit{});
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    units[i] = static_cast<Unit>(static_cast<unsigned char>(bytes[i]));
  }
  return units;
}

// The bytes back from units made by UnitsFromBytes. A unit above 255, which
// that scheme never makes, keeps its low byte.
template <typename Unit>
std::string BytesFromUnits(std::basic_string_view<Unit> units) {
  std::string bytes(units.size(), '\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    bytes[i] = static_cast<char>(static_cast<unsigned char>(units[i] & 0xFF));
  }
  return bytes;
}

}  // namespace marrowpin::win_text
