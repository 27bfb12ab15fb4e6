#include "platform/reparse_tag.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace marrowpin {
namespace {

// The tags as Windows gives them, written out as numbers: the rule must hold
// for the values the system really uses, not for names the code defines.
TEST(ReparseTagTest, NameSurrogatesAndTaglessPointsLeadElsewhereOthersAreOrdinary) {
  const struct {
    const char* what;
    std::uint32_t tag;
    bool leads_elsewhere;
  } cases[] = {
      {"symbolic link (IO_REPARSE_TAG_SYMLINK)", 0xA000000C, true},
      {"junction (IO_REPARSE_TAG_MOUNT_POINT)", 0xA0000003, true},
      {"WSL link (IO_REPARSE_TAG_LX_SYMLINK)", 0xA000001D, true},
      {"global link (IO_REPARSE_TAG_GLOBAL_REPARSE)", 0xA0000019, true},
      {"container link (IO_REPARSE_TAG_WCI_LINK_1)", 0xA0001027, true},
      {"no tag given", 0x00000000, true},
      {"cloud file (IO_REPARSE_TAG_CLOUD)", 0x9000001A, false},
      {"cloud folder (IO_REPARSE_TAG_CLOUD_7)", 0x9000701A, false},
      {"cloud folder (IO_REPARSE_TAG_CLOUD_F)", 0x9000F01A, false},
      {"deduplicated file (IO_REPARSE_TAG_DEDUP)", 0x80000013, false},
      {"file sync (IO_REPARSE_TAG_STORAGE_SYNC)", 0x8000001E, false},
      {"projected folder (IO_REPARSE_TAG_PROJFS)", 0x9000001C, false},
      {"online-only file (IO_REPARSE_TAG_ONEDRIVE)", 0x80000021, false},
      {"storage tiering (IO_REPARSE_TAG_HSM)", 0xC0000004, false},
      {"unix socket (IO_REPARSE_TAG_AF_UNIX)", 0x80000023, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReparseTagLeadsElsewhere(c.tag), c.leads_elsewhere) << c.what;
  }
}

}  // namespace
}  // namespace marrowpin
