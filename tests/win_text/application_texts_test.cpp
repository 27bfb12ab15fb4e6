#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "support/golden_texts.h"
#include "win_text/application_title.h"
#include "win_text/error_text.h"

namespace marrowpin::win_text {
namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstDotWithTheRestLowered) {
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\Marrowpin.exe"), golden::kApplicationTitle);
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\MARROWPIN.EXE"), "Marrowpin");
  EXPECT_EQ(ApplicationTitle("C:\\a.b\\mARROW.PIN.exe"), "marrow");
  EXPECT_EQ(ApplicationTitle("Plain"), "Plain");
  EXPECT_EQ(ApplicationTitle("C:\\x\\.hidden"), "");
  EXPECT_EQ(ApplicationTitle("C:\\x\\"), "");
}

TEST(ApplicationTitle, KeepsCharactersBeyondAsciiWhole) {
  // UTF-8 "表" is E8 A1 A8, "Ａ" (full width) EF BC A1: only ASCII letters are
  // lowered, and a first character of several bytes stays whole.
  EXPECT_EQ(ApplicationTitle("C:\\表\\ＡBC.exe"), "Ａbc");
  EXPECT_EQ(ApplicationTitle("C:\\dir\\Z表Q.Exe"), "Z表q");
  EXPECT_EQ(ApplicationTitle("C:\\dir\\\xF0\x9F\x93\xB7X.exe"), "\xF0\x9F\x93\xB7x");
}

TEST(ErrorBoxText, AppendsADotAfterBytesAboveTheDot) {
  EXPECT_EQ(ErrorBoxText("Access denied"), "Access denied.");
  EXPECT_EQ(ErrorBoxText("9"), "9.");
  // UTF-8 "ん" ends in 0x93.
  EXPECT_EQ(ErrorBoxText("開けません"), "開けません.");
}

TEST(ErrorBoxText, LeavesDotsLowerBytesAndEmptyMessagesAlone) {
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("What!"), "What!");
  EXPECT_EQ(ErrorBoxText("a-"), "a-");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ErrorMessage, OutOfMemoryGetsTheProgramsOwnMessage) {
  EXPECT_EQ(ErrorBoxText(ErrorMessage(std::make_exception_ptr(std::bad_alloc()))),
            std::string(golden::kOutOfMemory) + ".");
  EXPECT_EQ(ErrorMessage(std::make_exception_ptr(std::runtime_error("disk gone"))), "disk gone");
  EXPECT_EQ(ErrorMessage(std::make_exception_ptr(42)), "");
}

}  // namespace
}  // namespace marrowpin::win_text
