#include "platform/locale_charset.h"

namespace marrowpin {

std::string LocaleCharset() {
  return "UTF-8";
}

std::optional<std::string> FromUtf8(std::string_view text, const std::string& charset) {
  if (charset == "UTF-8") return std::string(text);
  return std::nullopt;
}

}  // namespace marrowpin
