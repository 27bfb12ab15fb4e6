#include "platform/windows/program_path.h"

#include <windows.h>

#include <string_view>

#include "win_text/utf16.h"

namespace marrowpin {

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A path that fills the buffer may have been cut: asked again with more room.
    if (length < path.size()) {
      path.resize(length);
      return win_text::Utf8FromUtf16(std::wstring_view(path));
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace marrowpin
