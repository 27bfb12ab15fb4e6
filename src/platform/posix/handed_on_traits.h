#pragma once

#include "platform/posix/file_identity.h"

namespace marrowpin {

// Gives the file open as `to` what the regular file `replaced` (as a look at
// it saw it, open as replaced_fd, or -1 when it could not be opened) hands
// on to the output that replaces it: its owner and group where this program
// may set them, its extended attributes with its ACL, but never its file
// capabilities, and its permission bits without set-id and sticky bits. The
// errno of a failing step that matters (the permission bits); 0 on success.
int HandOnTraits(const LookedEntry& replaced, int replaced_fd, int to);

}  // namespace marrowpin
