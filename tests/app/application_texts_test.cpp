#include <gtest/gtest.h>

#include "app/application_title.h"
#include "app/error_text.h"

namespace marrowpin::app {
namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstDotWithTheRestLowered) {
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\Marrowpin.exe"), "Marrowpin");
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\MARROWPIN.EXE"), "Marrowpin");
  EXPECT_EQ(ApplicationTitle("C:\\a.b\\mARROW.PIN.exe"), "marrow");
  EXPECT_EQ(ApplicationTitle("Plain"), "Plain");
  EXPECT_EQ(ApplicationTitle("C:\\x\\.hidden"), "");
  EXPECT_EQ(ApplicationTitle("C:\\x\\"), "");
}

TEST(ApplicationTitle, RespectsDoubleByteCharacters) {
  // "ア" is 0x83 0x41 and "表" 0x95 0x5C: neither trail byte is a letter to
  // lower or a separator.
  EXPECT_EQ(ApplicationTitle("C:\\\x95\x5C"
                             "dir\\\x83\x41"
                             "BC.exe"),
            "\x83\x41"
            "bc");
  EXPECT_EQ(ApplicationTitle("C:\\dir\\Z\x83\x41"
                             "Q.exe"),
            "Z\x83\x41"
            "q");
  EXPECT_EQ(ApplicationTitle("C:\\dir\\\x95\x5C.exe"), "\x95\x5C");
}

TEST(ErrorBoxText, AppendsADotAfterBytesAboveTheDot) {
  EXPECT_EQ(ErrorBoxText("Access denied"), "Access denied.");
  EXPECT_EQ(ErrorBoxText("9"), "9.");
  // Shift-JIS "ん" ends in 0xF1.
  EXPECT_EQ(ErrorBoxText("\x82\xF1"), "\x82\xF1.");
}

TEST(ErrorBoxText, LeavesDotsLowerBytesAndEmptyMessagesAlone) {
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("What!"), "What!");
  EXPECT_EQ(ErrorBoxText("a-"), "a-");
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
}  // namespace marrowpin::app
