#pragma once

#include <windows.h>

#include <optional>

#include "core/file_system.h"

namespace marrowpin {

// The identity of an open file: its volume and its file index there;
// nullopt when the handle tells none.
std::optional<FileId> IdOf(HANDLE file);

}  // namespace marrowpin
