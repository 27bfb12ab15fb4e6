#pragma once

#include <string>
#include <vector>

namespace marrowpin {

// The arguments a console program was started with, after its own name, in
// the spelling the native file services take: on Windows UTF-8, from the
// wide command line split as the C runtime splits it (the 8-bit argv holds
// only what the system's code page can spell); elsewhere argv as it is.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace marrowpin
