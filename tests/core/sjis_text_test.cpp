#include "core/sjis_text.h"

#include <gtest/gtest.h>

namespace marrowpin {
namespace {

constexpr auto npos = std::string_view::npos;

TEST(FindKeyTest, FindsFirstExactCaseSensitiveMatch) {
  EXPECT_EQ(FindKey("xx-WIDTH:1 -WIDTH:2", "-WIDTH"), 2u);
  EXPECT_EQ(FindKey("-width:1", "-WIDTH"), npos);
  EXPECT_EQ(FindKey("", "-WIDTH"), npos);
  EXPECT_EQ(FindKey("-WIDT", "-WIDTH"), npos);
}

TEST(FindKeyTest, SkipsMatchStartingOnSecondByteOfDoubleByteCharacter) {
  // 0x83 0x42 is one character; its second byte is "B".
  EXPECT_EQ(FindKey("\x83"
                    "BASE64:QUJD",
                    "BASE64:"),
            npos);
  // A later match at a character boundary is still found.
  EXPECT_EQ(FindKey("\x83"
                    "BASE64: BASE64:x",
                    "BASE64:"),
            9u);
  // A single-byte katakana (0xA0-0xDF) is no lead byte.
  EXPECT_EQ(FindKey("\xB1"
                    "BASE64:",
                    "BASE64:"),
            1u);
  // After a double-byte character the next byte starts a character again.
  EXPECT_EQ(FindKey("\x83\x42"
                    "BASE64:",
                    "BASE64:"),
            2u);
}

TEST(FindKeyTest, LeadByteAtEndDoesNotOverrun) {
  EXPECT_EQ(FindKey("abc\x81", "END"), npos);
  EXPECT_EQ(FindKey("\x81", "\x81"), 0u);
}

TEST(FindLastSeparatorTest, IgnoresSecondByteOfDoubleByteCharacter) {
  // 0x95 0x5C is a kanji whose second byte is "\".
  EXPECT_EQ(FindLastSeparator("C:\\dir\\\x95\\name", "\\:"), 6u);
  EXPECT_EQ(FindLastSeparator("\x95\\", "\\"), npos);
  EXPECT_EQ(FindLastSeparator("C:name", "\\:"), 1u);
  EXPECT_EQ(FindLastSeparator("name", "\\:"), npos);
}

}  // namespace
}  // namespace marrowpin
