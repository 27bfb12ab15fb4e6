#pragma once

#include <memory>
#include <string>

#include "core/file_system.h"

namespace marrowpin {

// Creates or truncates path for binary writing through a large stdio buffer,
// so that the many small per-line blocks reach the disk in big writes.
// nullptr when the file cannot be created.
std::unique_ptr<OutputFile> CreateStdioOutputFile(const std::string& path);

}  // namespace marrowpin
