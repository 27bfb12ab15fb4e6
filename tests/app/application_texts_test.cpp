#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>

#include "app/application_title.h"
#include "app/error_text.h"
#include "support/golden_texts.h"

namespace marrowpin::app {
namespace {

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstDotWithTheRestLowered) {
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\Marrowpin.exe"), golden::kApplicationTitle);
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

TEST(ErrorMessage, OutOfMemoryGetsTheProgramsOwnMessage) {
  EXPECT_EQ(ErrorBoxText(ErrorMessage(std::make_exception_ptr(std::bad_alloc()))),
            std::string(golden::kOutOfMemory) + ".");
  EXPECT_EQ(ErrorMessage(std::make_exception_ptr(std::runtime_error("disk gone"))), "disk gone");
  EXPECT_EQ(ErrorMessage(std::make_exception_ptr(42)), "");
}

// The window's texts live in its stored layout, a resource script that only
// the Windows build compiles; each must stand there as written, in quotes.
TEST(StoredLayout, HoldsEveryTextOfTheWindowAndItsDialogs) {
  std::ifstream in(MARROWPIN_LAYOUT_SCRIPT, std::ios::binary);
  ASSERT_TRUE(in) << MARROWPIN_LAYOUT_SCRIPT;
  const std::string script(std::istreambuf_iterator<char>(in), {});
  for (std::string_view text :
       {golden::kWindowCaption, golden::kSourceLabel, golden::kBrowseButton, golden::kStartButton,
        golden::kFileMenu, golden::kExitMenuItem, golden::kBrowseDialogTitle,
        golden::kBrowseDialogFilter, golden::kNameDialogFilter, golden::kWindowFont,
        golden::kListFont}) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    EXPECT_NE(script.find(quoted), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace marrowpin::app
