#pragma once

#include <string>

namespace marrowpin {

// True when the file at path is read as a stream rather than from a folder
// of its own: it is no regular file (a device, a pipe or FIFO), or path
// reaches it through a link to one of the program's own descriptors
// (/dev/stdin, /dev/fd/N), whose folder holds no files of the user's. Its
// outputs go where those of standard input go.
bool HasNoFolderOfItsOwn(const std::string& path);

}  // namespace marrowpin
