#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marrowpin {

// The character set the C library's locale (LC_CTYPE) writes text in, as the
// system names it ("UTF-8", "EUC-JP", "ANSI_X3.4-1968"). On Windows the
// program writes UTF-8: "UTF-8".
std::string LocaleCharset();

// The UTF-8 text in charset; nullopt when a character has no place there or
// the system cannot convert into charset.
std::optional<std::string> FromUtf8(std::string_view text, const std::string& charset);

}  // namespace marrowpin
