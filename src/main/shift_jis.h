#pragma once

#include <string>
#include <string_view>

namespace marrowpin::main {

// Unicode text as Shift-JIS (code page 932), the program's own character set.
std::string ToShiftJis(std::wstring_view text);

}  // namespace marrowpin::main
