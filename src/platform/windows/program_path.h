#pragma once

#include <string>

namespace marrowpin {

// The running program's own path (UTF-8), however long; empty when the
// system cannot tell.
std::string ProgramPath();

}  // namespace marrowpin
