#include "platform/reparse_tag.h"

namespace marrowpin {

namespace {

// The bit the system sets in the tag of every reparse point that stands for
// another name (IsReparseTagNameSurrogate).
constexpr std::uint32_t kNameSurrogateBit = 0x20000000;

// FILE_ATTRIBUTE_REPARSE_POINT.
constexpr std::uint32_t kReparsePointAttribute = 0x400;

}  // namespace

bool ReparseTagLeadsElsewhere(std::uint32_t tag) {
  return tag == 0 || (tag & kNameSurrogateBit) != 0;
}

bool LeadsElsewhere(std::uint32_t attributes, std::uint32_t reparse_tag) {
  return (attributes & kReparsePointAttribute) != 0 && ReparseTagLeadsElsewhere(reparse_tag);
}

}  // namespace marrowpin
