#include "platform/locale_charset.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>

namespace marrowpin {

std::string LocaleCharset() {
  return nl_langinfo(CODESET);
}

std::optional<std::string> FromUtf8(std::string_view text, const std::string& charset) {
  if (charset == "UTF-8") return std::string(text);
  const iconv_t converter = iconv_open(charset.c_str(), "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char buffer[256];
  bool ok = true;
  // A last call with no input writes any shift sequence that ends the text.
  for (bool flushing = false; ok;) {
    char* to = buffer;
    std::size_t to_left = sizeof buffer;
    const std::size_t result = flushing ? iconv(converter, nullptr, nullptr, &to, &to_left)
                                        : iconv(converter, &in, &in_left, &to, &to_left);
    out.append(buffer, to - buffer);
    if (result == static_cast<std::size_t>(-1) && errno != E2BIG) ok = false;
    if (result != static_cast<std::size_t>(-1)) {
      if (flushing) break;
      flushing = in_left == 0;
    }
  }
  iconv_close(converter);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace marrowpin
