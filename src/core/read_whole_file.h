#pragma once

#include <string>

#include "core/file_system.h"

namespace marrowpin {

// The whole file at path, for a line buffer that holds a note whole. The
// size the file had when opened is read into one block; past it (a file that
// grew, a device, a pipe) reading goes on in chunks until the end or a zero
// byte: the text ends at a zero byte anyway, and an endless device such as
// /dev/zero would otherwise never stop. Throws FileError: kOpen when the file
// cannot be opened or read (loading a note whole is opening it), kHold when
// it cannot be held in memory.
std::string ReadWholeFile(FileSystem& files, const std::string& path);

}  // namespace marrowpin
