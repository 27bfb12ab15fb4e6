#include "main/dialog_texts.h"

#include <gtest/gtest.h>

namespace marrowpin::main {
namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string>;

TEST(DialogFilter, EndsEveryPieceAndTheListInAZeroByte) {
  const std::string filter = DialogFilter("Notes (*.vnt)|*.vnt;*dat|All|*.*");
  EXPECT_EQ(std::string(filter.c_str(), filter.size() + 1),
            "Notes (*.vnt)\0*.vnt;*dat\0All\0*.*\0\0"s);
}

TEST(DialogFilter, KeepsABarThatIsTheSecondByteOfACharacter) {
  // Shift-JIS "ポ" is 0x83 0x7C.
  const std::string filter = DialogFilter("\x83\x7C|*.*");
  EXPECT_EQ(filter, "\x83\x7C\0*.*\0"s);
}

TEST(SelectedPaths, ReturnsASingleFullPathAsItIs) {
  EXPECT_EQ(SelectedPaths("C:\\notes\\a.vnt\0\0"s), Paths{"C:\\notes\\a.vnt"});
}

TEST(SelectedPaths, JoinsTheFolderToEveryNameInOrder) {
  EXPECT_EQ(SelectedPaths("C:\\my notes\0b.vnt\0a x.dat\0c\0\0"s),
            (Paths{"C:\\my notes\\b.vnt", "C:\\my notes\\a x.dat", "C:\\my notes\\c"}));
}

TEST(SelectedPaths, AddsNoSecondSeparatorAfterADriveRoot) {
  EXPECT_EQ(SelectedPaths("C:\\\0a.vnt\0b.vnt\0\0"s), (Paths{"C:\\a.vnt", "C:\\b.vnt"}));
  // A folder ending in "表" (0x95 0x5C) does not end in a separator.
  EXPECT_EQ(SelectedPaths("C:\\\x95\x5C\0a\0b\0\0"s),
            (Paths{"C:\\\x95\x5C\\a", "C:\\\x95\x5C\\b"}));
}

TEST(SelectedPaths, IsEmptyForAnEmptyBuffer) {
  EXPECT_EQ(SelectedPaths("\0\0"s), Paths{});
  EXPECT_EQ(SelectedPaths(""), Paths{});
}

}  // namespace
}  // namespace marrowpin::main
