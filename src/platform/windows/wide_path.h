#pragma once

#include <string>
#include <string_view>

#include "win_text/utf16.h"

namespace marrowpin {

// A path of the program's (UTF-8) as the wide-character file calls take it.
inline std::wstring WidePath(std::string_view path) {
  return win_text::Utf16FromUtf8<wchar_t>(path);
}

}  // namespace marrowpin
