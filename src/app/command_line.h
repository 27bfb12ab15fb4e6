#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marrowpin::app {

// Splits a process command line into its arguments, the program's own path
// first. Bytes 1 to 32 separate arguments; double quotes group a piece with
// blanks and are removed, and pieces next to each other join; an empty pair
// of quotes at an argument's start is skipped; an unclosed quote runs to the
// end; there is no escape character. A zero byte ends the line.
std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace marrowpin::app
