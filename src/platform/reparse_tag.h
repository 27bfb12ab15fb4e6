#pragma once

#include <cstdint>

namespace marrowpin {

// Whether a Windows reparse point with this tag leads elsewhere, as a
// symbolic link, a junction or a WSL link does: every tag the system marks
// as a name surrogate, and a reparse point whose tag the system does not
// give (0). Any other reparse point (a file kept in the cloud, a
// deduplicated file, a synced or projected folder) is an ordinary file or
// folder of its own. Kept apart from the system's headers so that it can be
// checked anywhere.
bool ReparseTagLeadsElsewhere(std::uint32_t tag);

// Whether an entry with these attributes and reparse tag (as a handle's
// FILE_ATTRIBUTE_TAG_INFO or the find data give them) leads elsewhere: a
// reparse point whose tag ReparseTagLeadsElsewhere says so. The tag of an
// entry that is no reparse point means nothing.
bool LeadsElsewhere(std::uint32_t attributes, std::uint32_t reparse_tag);

}  // namespace marrowpin
