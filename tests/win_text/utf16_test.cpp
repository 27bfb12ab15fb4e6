#include "win_text/utf16.h"

#include <gtest/gtest.h>

namespace marrowpin::win_text {
namespace {

using namespace std::string_literals;

std::string ToUtf8(std::u16string_view text) {
  return Utf8FromUtf16(text);
}
std::u16string ToUtf16(std::string_view text) {
  return Utf16FromUtf8<char16_t>(text);
}

TEST(Utf16Conversion, ConvertsEveryLengthOfSequenceBothWays) {
  const struct {
    std::u16string utf16;
    std::string utf8;
  } cases[] = {
      {u"", ""},
      {u"C:\\notes\\a.vnt", "C:\\notes\\a.vnt"},
      {u"\u00E9", "\xC3\xA9"},
      {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"写真.jpg", "\xE5\x86\x99\xE7\x9C\x9F.jpg"},
      {u"D:\\사진\\메모.vnt", "D:\\\xEC\x82\xAC\xEC\xA7\x84\\\xEB\xA9\x94\xEB\xAA\xA8.vnt"},
      {u"\U0001F4F7", "\xF0\x9F\x93\xB7"},
      {u"\U0010FFFF\uFFFF", "\xF4\x8F\xBF\xBF\xEF\xBF\xBF"},
      // Zeros inside stay: the dialogs' buffers hold several texts.
      {u"a\0b\0\0"s, "a\0b\0\0"s},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToUtf8(c.utf16), c.utf8);
    EXPECT_EQ(ToUtf16(c.utf8), c.utf16) << c.utf8;
  }
}

TEST(Utf16Conversion, KeepsLoneSurrogatesThatWindowsNamesMayHold) {
  const std::u16string lone_units[] = {
      {char16_t{0xD800}}, {char16_t{0xDFFF}, u'x'}, {u'a', char16_t{0xDC00}, char16_t{0xD83D}}};
  for (const std::u16string& units : lone_units) {
    EXPECT_EQ(ToUtf16(ToUtf8(units)), units);
  }
  EXPECT_EQ(ToUtf8(std::u16string{char16_t{0xD800}}), "\xED\xA0\x80");
}

TEST(Utf16Conversion, ReplacesEachByteThatStartsNoCharacter) {
  EXPECT_EQ(ToUtf16("a\x80z"), u"a\uFFFDz");
  // Shift-JIS "写" (8E CA) is no UTF-8.
  EXPECT_EQ(ToUtf16("\x8E\xCA"), u"\uFFFD\uFFFD");
  // Cut short, overlong, beyond U+10FFFF.
  EXPECT_EQ(ToUtf16("\xE5\x86"), u"\uFFFD\uFFFD");
  EXPECT_EQ(ToUtf16("\xC0\xAF\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(ListBoxUnits, HoldEveryByteAsOneUnitOfTheSameValue) {
  std::string every_byte;
  for (int byte = 1; byte < 256; ++byte)
    every_byte.push_back(static_cast<char>(byte));
  const std::u16string units = UnitsFromBytes<char16_t>(every_byte);
  ASSERT_EQ(units.size(), every_byte.size());
  EXPECT_EQ(units[0x7F], char16_t{0x80});
  EXPECT_EQ(units.back(), char16_t{0xFF});
  EXPECT_EQ(BytesFromUnits<char16_t>(units), every_byte);
  // A lone lead byte and a lead byte before 7F, which a code page would change.
  EXPECT_EQ(BytesFromUnits<char16_t>(UnitsFromBytes<char16_t>("\x82")), "\x82");
  EXPECT_EQ(BytesFromUnits<char16_t>(UnitsFromBytes<char16_t>("\x81\x7F")), "\x81\x7F");
}

}  // namespace
}  // namespace marrowpin::win_text
