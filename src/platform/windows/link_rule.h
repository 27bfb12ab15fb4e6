#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace marrowpin {

// Whether an entry with these attributes and reparse tag (as a handle's
// FILE_ATTRIBUTE_TAG_INFO or the find data give them) leads elsewhere: a
// reparse point whose tag ReparseTagLeadsElsewhere says so.
bool LeadsElsewhere(DWORD attributes, DWORD reparse_tag);

// The attributes and reparse tag of the entry open as handle; nullopt when
// the handle tells none.
std::optional<FILE_ATTRIBUTE_TAG_INFO> AttributeTagOf(HANDLE entry);
// The same of the entry at path itself, a link not followed; nullopt when
// there is none or it tells none.
std::optional<FILE_ATTRIBUTE_TAG_INFO> AttributeTagAt(const std::string& path);

}  // namespace marrowpin
