#include "platform/user_language.h"

#include <windows.h>

#include <string_view>

#include "win_text/utf16.h"

namespace marrowpin {

std::string UserInterfaceLanguage() {
  // Two or three letters and the terminating zero.
  wchar_t code[9] = {};
  const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
  if (GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, code, 9) == 0) return {};
  return win_text::Utf8FromUtf16(std::wstring_view(code));
}

}  // namespace marrowpin
