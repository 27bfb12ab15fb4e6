#include "platform/windows/wide_path.h"

#include <windows.h>

#include "win_text/extended_length_path.h"
#include "win_text/utf16.h"

namespace marrowpin {

namespace {

// The process's current folder, in UTF-8; empty when it cannot be read.
std::string CurrentFolder() {
  std::wstring folder(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0) return {};
    if (length < folder.size()) {
      folder.resize(length);
      return win_text::Utf8FromUtf16(std::wstring_view(folder));
    }
    folder.resize(length);
  }
}

}  // namespace

std::wstring WidePath(std::string_view path) {
  return win_text::Utf16FromUtf8<wchar_t>(win_text::ExtendedLengthPath(path, CurrentFolder()));
}

}  // namespace marrowpin
