#include "platform/program_arguments.h"

#include <windows.h>

#include <shellapi.h>

#include "win_text/utf16.h"

namespace marrowpin {

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> converted;
  for (int i = 1; arguments != nullptr && i < count; ++i) {
    converted.push_back(win_text::Utf8FromUtf16(std::wstring_view(arguments[i])));
  }
  LocalFree(arguments);
  return converted;
}

}  // namespace marrowpin
