#pragma once

#include <cstdio>
#include <memory>

#include "core/file_system.h"

namespace marrowpin {

// Takes a stream opened for binary writing ("wb") and writes through a large
// buffer of its own, so that the many small per-line blocks reach the disk in
// big writes. nullptr when file is nullptr (it could not be opened).
std::unique_ptr<OutputFile> StdioOutputFile(std::FILE* file);

}  // namespace marrowpin
