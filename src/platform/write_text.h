#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace marrowpin {

// Writes UTF-8 text to stream and flushes it. A Windows console is given the
// text's characters (WriteConsoleW), so that every name and text shows
// whatever the console's code page; a file or a pipe, and every stream on
// POSIX, is given the bytes as they are. False when not all of it got there,
// with the system's word on why in *failure_reason.
bool WriteText(std::FILE* stream, std::string_view text, std::string* failure_reason);

}  // namespace marrowpin
