#pragma once

#include <sys/stat.h>

#include "core/file_system.h"

namespace marrowpin {

// The identity of the file that info describes: its device and inode.
FileId IdOf(const struct stat& info);

}  // namespace marrowpin
