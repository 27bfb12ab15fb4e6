#include "win_text/command_line.h"

#include <gtest/gtest.h>

namespace marrowpin::win_text {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, SeparatesAtControlBytesAndBlanks) {
  EXPECT_EQ(SplitCommandLine("prog a.vnt  b.vnt"), (Arguments{"prog", "a.vnt", "b.vnt"}));
  EXPECT_EQ(SplitCommandLine("\t prog\x01"
                             "a\x1f"
                             "b \r\n"),
            (Arguments{"prog", "a", "b"}));
  EXPECT_EQ(SplitCommandLine(""), Arguments{});
  EXPECT_EQ(SplitCommandLine("   "), Arguments{});
}

TEST(SplitCommandLine, KeepsBytesAbove127InArguments) {
  // UTF-8 of Japanese, Korean and an emoji; "\u3000" is the full-width blank.
  EXPECT_EQ(SplitCommandLine("p C:\\写真\\사진\u3000\U0001F4F7.vnt \"메모 장\""),
            (Arguments{"p", "C:\\写真\\사진\u3000\U0001F4F7.vnt", "메모 장"}));
  EXPECT_EQ(SplitCommandLine("p \xA0x\xFF"), (Arguments{"p", "\xA0x\xFF"}));
}

TEST(SplitCommandLine, QuotesGroupAndAreRemoved) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\M.exe\" \"my note.vnt\""),
            (Arguments{"C:\\Program Files\\M.exe", "my note.vnt"}));
  // Quoted and unquoted pieces next to each other make one argument.
  EXPECT_EQ(SplitCommandLine("p C:\\\"my dir\"\\a\" b\".vnt x"),
            (Arguments{"p", "C:\\my dir\\a b.vnt", "x"}));
  EXPECT_EQ(SplitCommandLine("p a\"\"b"), (Arguments{"p", "ab"}));
}

TEST(SplitCommandLine, HasNoEscapeCharacter) {
  EXPECT_EQ(SplitCommandLine("p \"a\\\" b"), (Arguments{"p", "a\\", "b"}));
  EXPECT_EQ(SplitCommandLine("p a\\\\\"b c\""), (Arguments{"p", "a\\\\b c"}));
}

TEST(SplitCommandLine, SkipsEmptyQuotePairsAtAnArgumentsStart) {
  EXPECT_EQ(SplitCommandLine("p \"\" a.vnt"), (Arguments{"p", "a.vnt"}));
  EXPECT_EQ(SplitCommandLine("p \"\"\"\"a"), (Arguments{"p", "a"}));
  EXPECT_EQ(SplitCommandLine("p \"\" \"\""), Arguments{"p"});
  EXPECT_EQ(SplitCommandLine("\"\"p"), Arguments{"p"});
  // A quoted blank is not empty.
  EXPECT_EQ(SplitCommandLine("p \" \" x"), (Arguments{"p", " ", "x"}));
}

TEST(SplitCommandLine, UnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(SplitCommandLine("p \"a b  c"), (Arguments{"p", "a b  c"}));
  EXPECT_EQ(SplitCommandLine("p a\"  \t"), (Arguments{"p", "a  \t"}));
  EXPECT_EQ(SplitCommandLine("p \"\"\""), Arguments{"p"});
}

TEST(SplitCommandLine, StopsAtAZeroByte) {
  EXPECT_EQ(SplitCommandLine(std::string_view("p a\0b", 5)), (Arguments{"p", "a"}));
}

}  // namespace
}  // namespace marrowpin::win_text
