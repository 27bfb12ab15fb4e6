#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "suite.h"

// marrowpin-cli.exe, which lies beside the program under test, run to its end.
namespace marrowpin::wine_tests {

// Runs the console program with arguments (after its own quoted path) in
// folder, its standard input, output and error going to streams (to NUL
// when nullptr), and with locale_variables ("LANG=C") in place of the
// driver's LANG and LC_* variables; its exit code.
DWORD RunConsoleProgram(const Suite& suite, const std::string& arguments, const std::string& folder,
                        HANDLE streams = nullptr,
                        const std::vector<std::string>& locale_variables = {});

}  // namespace marrowpin::wine_tests
