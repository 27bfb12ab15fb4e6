#pragma once

#include <string>
#include <vector>

namespace marrowpin {

// The names of the programs that have any of the files at paths (wide paths
// as WidePath gives them) open, as Restart Manager tells them (UTF-8), at
// most four; empty where it cannot tell.
std::vector<std::string> ProgramsHolding(const std::vector<std::wstring>& paths);

}  // namespace marrowpin
