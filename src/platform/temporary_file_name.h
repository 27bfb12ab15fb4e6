#pragma once

#include <string>

namespace marrowpin {

// A name for a temporary file: the program's temporary-name prefix and six
// random letters or digits. Short, so that it fits in any folder that holds
// an output of any valid name.
std::string TemporaryFileName();

}  // namespace marrowpin
