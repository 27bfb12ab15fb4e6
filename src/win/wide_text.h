#pragma once

#include <string>
#include <string_view>

#include "win_text/utf16.h"

// The one edge between the program's UTF-8 text and the window system's
// UTF-16: every text handed to or taken from a wide call passes here.
namespace marrowpin::win {

inline std::wstring Wide(std::string_view utf8) {
  return win_text::Utf16FromUtf8<wchar_t>(utf8);
}

inline std::string Utf8(std::wstring_view wide) {
  return win_text::Utf8FromUtf16(wide);
}

}  // namespace marrowpin::win
