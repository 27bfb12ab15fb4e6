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

// Attributes as a handle or the find data give them, as numbers too: only a
// reparse point's tag counts, since find data hold a tag field for every
// entry and a handle's tag is 0 where there is no reparse point.
TEST(ReparseTagTest, OnlyAReparsePointLeadsElsewhere) {
  constexpr std::uint32_t kDirectory = 0x10;           // FILE_ATTRIBUTE_DIRECTORY
  constexpr std::uint32_t kArchive = 0x20;             // FILE_ATTRIBUTE_ARCHIVE
  constexpr std::uint32_t kSparse = 0x200;             // FILE_ATTRIBUTE_SPARSE_FILE
  constexpr std::uint32_t kReparsePoint = 0x400;       // FILE_ATTRIBUTE_REPARSE_POINT
  constexpr std::uint32_t kOffline = 0x1000;           // FILE_ATTRIBUTE_OFFLINE
  constexpr std::uint32_t kRecallOnAccess = 0x400000;  // FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS
  const struct {
    const char* what;
    std::uint32_t attributes;
    std::uint32_t tag;
    bool leads_elsewhere;
  } cases[] = {
      {"junction", kDirectory | kReparsePoint, 0xA0000003, true},
      {"symbolic link to a file", kArchive | kReparsePoint, 0xA000000C, true},
      {"reparse point whose tag is not given", kArchive | kReparsePoint, 0, true},
      {"plain folder", kDirectory, 0, false},
      {"plain file", kArchive, 0, false},
      {"plain folder, a stale tag field", kDirectory, 0xA000000C, false},
      {"sparse file, a stale tag field", kArchive | kSparse, 0xA0000003, false},
      {"cloud folder", kDirectory | kReparsePoint | kRecallOnAccess, 0x9000301A, false},
      {"deduplicated file", kArchive | kSparse | kReparsePoint, 0x80000013, false},
      {"file kept offline", kArchive | kReparsePoint | kOffline, 0xC0000004, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LeadsElsewhere(c.attributes, c.tag), c.leads_elsewhere) << c.what;
  }
}

}  // namespace
}  // namespace marrowpin
