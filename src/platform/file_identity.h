#pragma once

#include <string>

namespace marrowpin {

// Whether path names the file that the program's standard input reads
// (through any spelling or link); false when it names none or another.
bool StandardInputIsFileAt(const std::string& path);

}  // namespace marrowpin
