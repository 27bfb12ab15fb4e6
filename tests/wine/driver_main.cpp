// Drives Marrowpin.exe from outside, as a user would, under Wine: starts it,
// clicks, types into and answers its windows and dialogs, and checks the
// files it writes and the texts it shows. Every text is read and written as
// Unicode, so the same cases and expectations hold under every code page.
// Prints one line per case and a closing "N passed, M failed"; exits non-zero
// when any case failed.
//
// Usage: marrowpin-wine-driver MARROWPIN_EXE SCREENSHOT_FOLDER REFERENCE_FOLDER DRIVE
//   REFERENCE_FOLDER holds odd-bytes.vnt and the console program's odd-bytes.bin;
//   DRIVE ("M:") is mapped to an empty folder of the test's own. The Windows
//   marrowpin-cli.exe lies beside MARROWPIN_EXE. Where MARROWPIN_WINE_CASES is
//   set, only the cases whose names start with it run.

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cases.h"
#include "unicode_text.h"

namespace marrowpin::wine_tests {
namespace {

std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i)
    utf8.push_back(Utf8(arguments[i]));
  LocalFree(arguments);
  return utf8;
}

// A new folder in the prefix's temporary folder; earlier runs may have left
// theirs, under any number.
std::string CreateWorkFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  for (int number = 1; number < 1000; ++number) {
    const std::wstring folder = temp + (L"marrowpin-wine-" + std::to_wstring(number));
    if (CreateDirectoryW(folder.c_str(), nullptr)) return Utf8(folder);
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw TestFailure("cannot create a work folder in " + Printable(Utf8(temp)));
}

}  // namespace
}  // namespace marrowpin::wine_tests

int main() {
  using namespace marrowpin::wine_tests;
  const std::vector<std::string> arguments = Arguments();
  if (arguments.size() != 4) {
    std::fprintf(stderr,
                 "usage: marrowpin-wine-driver MARROWPIN_EXE SCREENSHOT_FOLDER REFERENCE_FOLDER "
                 "DRIVE\n");
    return 2;
  }
  // The test script checks that the locale gave the code page it meant.
  std::printf("code page %u\n", GetACP());
  try {
    const char* only_cases = std::getenv("MARROWPIN_WINE_CASES");
    Suite suite({arguments[0], arguments[1], arguments[2], arguments[3],
                 only_cases != nullptr ? only_cases : ""},
                CreateWorkFolder());
    CommandLineCases(suite);
    FileListCases(suite);
    BatchCases(suite);
    BlankLineCases(suite);
    PromptCases(suite);
    NameRuleCases(suite);
    FailureCases(suite);
    UnicodeNameCases(suite);
    ConsoleCases(suite);
    OddInputCases(suite);
    LargeInputCases(suite);
    return suite.Finish();
  } catch (const std::exception& e) {
    std::printf("FAIL driver: %s\n0 passed, 1 failed\n", e.what());
    return 1;
  }
}
