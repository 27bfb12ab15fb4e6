#include "platform/reparse_tag.h"

namespace marrowpin {

namespace {

// The bit the system sets in the tag of every reparse point that stands for
// another name (IsReparseTagNameSurrogate).
constexpr std::uint32_t kNameSurrogateBit = 0x20000000;

}  // namespace

bool ReparseTagLeadsElsewhere(std::uint32_t tag) {
  return tag == 0 || (tag & kNameSurrogateBit) != 0;
}

}  // namespace marrowpin
