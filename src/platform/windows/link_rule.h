#pragma once

#include <windows.h>

#include <optional>
#include <string>

// What these give is judged by LeadsElsewhere.
#include "platform/reparse_tag.h"

namespace marrowpin {

// The attributes and reparse tag of the entry open as handle; nullopt when
// the handle tells none.
std::optional<FILE_ATTRIBUTE_TAG_INFO> AttributeTagOf(HANDLE entry);
// The same of the entry at path itself, a link not followed; nullopt when
// there is none or it tells none.
std::optional<FILE_ATTRIBUTE_TAG_INFO> AttributeTagAt(const std::string& path);

}  // namespace marrowpin
