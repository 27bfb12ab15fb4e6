#include "win_text/dialog_texts.h"

#include <gtest/gtest.h>

namespace marrowpin::win_text {
namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string>;

TEST(DialogFilter, EndsEveryPieceAndTheListInAZeroByte) {
  const std::string filter = DialogFilter("Notes (*.vnt)|*.vnt;*dat|All|*.*");
  EXPECT_EQ(std::string(filter.c_str(), filter.size() + 1),
            "Notes (*.vnt)\0*.vnt;*dat\0All\0*.*\0\0"s);
}

TEST(DialogFilter, SplitsJapaneseTextsAtEveryBar) {
  const std::string filter =
      DialogFilter("VNTファイル(*.vnt , *dat)|*.vnt;*dat|すべてのファイル|*.*");
  EXPECT_EQ(std::string(filter.c_str(), filter.size() + 1),
            "VNTファイル(*.vnt , *dat)\0*.vnt;*dat\0すべてのファイル\0*.*\0\0"s);
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
  // UTF-8 "ソ" ends in BD, "表" in A8: neither folder ends in a separator.
  EXPECT_EQ(SelectedPaths("C:\\ソ\0a\0b\0\0"s), (Paths{"C:\\ソ\\a", "C:\\ソ\\b"}));
  EXPECT_EQ(SelectedPaths("D:\\사진\\表\0x\0\0"s), (Paths{"D:\\사진\\表\\x"}));
}

TEST(SelectedPaths, IsEmptyForAnEmptyBuffer) {
  EXPECT_EQ(SelectedPaths("\0\0"s), Paths{});
  EXPECT_EQ(SelectedPaths(""), Paths{});
}

}  // namespace
}  // namespace marrowpin::win_text
