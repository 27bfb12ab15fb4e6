#include "core/sjis_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Feeds text to a KeySearch in parts cut at the given places.
bool FoundInParts(std::string_view text, std::vector<std::size_t> cuts, std::string_view key) {
  KeySearch search(key);
  std::size_t from = 0;
  cuts.push_back(text.size());
  for (std::size_t cut : cuts) {
    search.Feed(text.substr(from, cut - from));
    from = cut;
  }
  return search.found();
}

TEST(KeySearchTest, FindsKeysAcrossPartsOnlyAtCharacterStarts) {
  EXPECT_TRUE(FoundInParts("xxEND:VNOTEyy", {4}, "END:VNOTE"));
  EXPECT_TRUE(FoundInParts("xxEND:VNOTEyy", {3, 4, 5, 6, 7, 8, 9, 10}, "END:VNOTE"));
  EXPECT_FALSE(FoundInParts("xxEND:VNOT", {5}, "END:VNOTE"));
  // A long run of lead bytes in earlier parts decides where characters start:
  // an odd run makes "B" a second byte, an even run leaves it a start.
  const std::string odd = std::string(9, '\x83') + "BASE64:";
  const std::string even = std::string(10, '\x83') + "BASE64:";
  for (std::size_t cut = 1; cut < odd.size(); ++cut) {
    EXPECT_FALSE(FoundInParts(odd, {cut}, "BASE64:")) << cut;
    EXPECT_FALSE(FoundInParts(odd, {1, cut}, "BASE64:")) << cut;
    EXPECT_TRUE(FoundInParts(even, {cut}, "BASE64:")) << cut;
  }
  // Even a key of one byte, for which no bytes are kept between parts.
  EXPECT_FALSE(FoundInParts("\x83:", {1}, ":"));
  EXPECT_TRUE(FoundInParts("\x83\x40:", {1, 2}, ":"));
  KeySearch search("END");
  search.Feed("EN");
  search.Reset();
  EXPECT_FALSE(search.Feed("D"));
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
