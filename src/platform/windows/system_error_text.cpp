#include "platform/windows/system_error_text.h"

#include <string_view>

#include "win_text/utf16.h"

namespace marrowpin {

std::string SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  // Language 0: the thread's, else the user's, else the system's language.
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring_view wide(text, length);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' '))
    wide.remove_suffix(1);
  std::string reason = win_text::Utf8FromUtf16(wide);
  if (text != nullptr) LocalFree(text);
  return reason.empty() ? "error " + std::to_string(error) : reason;
}

}  // namespace marrowpin
