#pragma once

#include <optional>
#include <string>

#include "platform/posix/file_identity.h"

namespace marrowpin {

// Gives the output open as `to`, while nobody else can open it, what the
// entry that one look at `name` in the folder open as `folder` found (`found`;
// nullopt where there was none) hands on to it. Only a regular file hands
// anything on, and only the file looked at: its owner and group where this
// program may set them, its extended attributes with its ACL, but never its
// file capabilities, and its permission bits without set-id and sticky
// bits. A new output, or one that replaces a link, a FIFO or a device, keeps
// the permissions of any new file: whoever planted such an entry must not
// get the output; one `made_private` (a named temporary file of mode 0600)
// is given them. EEXIST where another file has taken the place of the one
// looked at; else the errno of a failing step that matters (the permission
// bits); 0 on success.
int HandOnTraits(const std::optional<LookedEntry>& found, int folder, const std::string& name,
                 int to, bool made_private);

}  // namespace marrowpin
