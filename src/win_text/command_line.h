#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowpin::win_text {

// Splits a process command line into its arguments, the program's own path
// first. The line is the UTF-8 form of the wide command line: UTF-8 keeps
// the units 1 to 32 and the quote as the same bytes and makes no others of
// them, so splitting its bytes splits the wide line's units. Bytes 1 to 32 separate arguments;
// double quotes group a piece with blanks and are removed, and pieces next to each other join; an
// empty pair of quotes at an argument's start is skipped; an unclosed quote runs to the end; there
// is no escape character. A zero byte ends the line.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace marrowpin::win_text
