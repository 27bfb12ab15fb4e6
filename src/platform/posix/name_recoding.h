#pragma once

#include <string>
#include <string_view>

namespace marrowpin {

// How an output name read from a note is spelled in a POSIX path, whose
// names are UTF-8: a name that is UTF-8 stays, one that is not is read as
// Shift-JIS, and bytes that are neither are kept as they are.
std::string PosixNameFromNote(std::string_view note_name);

}  // namespace marrowpin
