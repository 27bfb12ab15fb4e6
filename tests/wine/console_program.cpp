#include "console_program.h"

#include <cwchar>

#include "unicode_text.h"

namespace marrowpin::wine_tests {

namespace {

// The driver's environment without its locale variables, then the given
// ones: a block of "NAME=VALUE" strings, each ended by a zero, and one more
// zero at its end.
std::wstring EnvironmentBlock(const std::vector<std::string>& locale_variables) {
  std::wstring block;
  wchar_t* own = GetEnvironmentStringsW();
  for (const wchar_t* variable = own; *variable != L'\0'; variable += std::wcslen(variable) + 1) {
    const std::wstring_view text(variable);
    if (text.starts_with(L"LANG=") || text.starts_with(L"LC_")) continue;
    block.append(text).push_back(L'\0');
  }
  FreeEnvironmentStringsW(own);
  for (const std::string& variable : locale_variables)
    block.append(Wide(variable)).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

}  // namespace

DWORD RunConsoleProgram(const Suite& suite, const std::string& arguments, const std::string& folder,
                        HANDLE streams, const std::vector<std::string>& locale_variables) {
  const std::string& window_program = suite.Options().executable;
  const std::string executable =
      window_program.substr(0, window_program.rfind('\\')) + "\\marrowpin-cli.exe";
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  const HANDLE discard = streams != nullptr ? nullptr
                                            : CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE,
                                                          &inherited, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError =
      streams != nullptr ? streams : discard;
  std::wstring command_line = Wide(Quoted(executable) + " " + arguments);
  std::wstring environment = EnvironmentBlock(locale_variables);
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(Wide(executable).c_str(), command_line.data(), nullptr,
                                      nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT, environment.data(),
                                      Wide(folder).c_str(), &startup, &process);
  if (discard != nullptr) CloseHandle(discard);
  Expect(started, "cannot start " + Printable(executable));
  const bool ended = WaitForSingleObject(process.hProcess, kTimeoutMs) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Expect(ended, "the console program did not end");
  return code;
}

}  // namespace marrowpin::wine_tests
