#pragma once

#include <optional>

#include "core/file_system.h"

namespace marrowpin {

// The program's standard streams.
enum class StandardStream { kInput = 0, kOutput = 1, kError = 2 };  // as POSIX numbers them

// The file a standard stream reads or writes; nullopt when it has none that
// the system can tell (a closed stream).
std::optional<FileId> StandardStreamId(StandardStream stream);

}  // namespace marrowpin
