#include "core/header_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace marrowpin {
namespace {

// The value of a line fed whole and fed in slices of every size.
TEST(HeaderValueReaderTest, TakesTextAfterTheFirstColonCutTo255Bytes) {
  const std::string long_value(300, 'Q');
  const struct {
    std::string line;
    std::string value;
  } cases[] = {
      {"-FILENAME:pic.bmp", "pic.bmp"},
      {"X-A:b:c", "b:c"},
      {"-FILENAME: pic.bmp ", " pic.bmp "},
      {"-FILENAME:", ""},
      {"-WIDTH 12", "-WIDTH 12"},  // no ":": the line itself
      {"BASE64:" + long_value, long_value.substr(0, 255)},
      {long_value, long_value.substr(0, 255)},
      {long_value + ":x", "x"},  // the colon counts wherever it stands
  };
  for (const auto& c : cases) {
    for (std::size_t slice = 1; slice <= c.line.size(); slice += slice < 9 ? 1 : 97) {
      HeaderValueReader reader;
      for (std::size_t at = 0; at < c.line.size(); at += slice)
        reader.Feed(std::string_view(c.line).substr(at, slice));
      EXPECT_EQ(reader.Value(), c.value) << c.line.substr(0, 20) << " in slices of " << slice;
    }
  }
}

TEST(ReadIntegerTest, Decimal) {
  EXPECT_EQ(ReadInteger("132"), 132);
  EXPECT_EQ(ReadInteger("   144"), 144);
  EXPECT_EQ(ReadInteger("+7"), 7);
  EXPECT_EQ(ReadInteger("-1"), -1);
  EXPECT_EQ(ReadInteger("007"), 7);
  EXPECT_EQ(ReadInteger("2147483647"), 2147483647);
  EXPECT_EQ(ReadInteger("-2147483648"), INT32_MIN);
}

TEST(ReadIntegerTest, Hexadecimal) {
  EXPECT_EQ(ReadInteger("$10"), 16);
  EXPECT_EQ(ReadInteger("x1f"), 31);
  EXPECT_EQ(ReadInteger("XFF"), 255);
  EXPECT_EQ(ReadInteger("0x10"), 16);
  EXPECT_EQ(ReadInteger("0XaB"), 171);
  EXPECT_EQ(ReadInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ReadInteger("$80000000"), INT32_MIN);
  // Leading zeros are not significant digits; the sign is ignored.
  EXPECT_EQ(ReadInteger("0x0000000012"), 18);
  EXPECT_EQ(ReadInteger("-$10"), 16);
  EXPECT_EQ(ReadInteger(" +0x10"), 16);
}

TEST(ReadIntegerTest, AnythingElseReadsAsZero) {
  for (const char* text : {"",           " ",          "\t5",         "5 ",
                           "5\t",        "+",          "-",           "$",
                           "0x",         "12a",        "1.5",         "--1",
                           "+-1",        "2147483648", "-2147483649", "99999999999999999999",
                           "$123456789", "0x1G",       "x",           "1,000",
                           " 5 6"}) {
    EXPECT_EQ(ReadInteger(text), 0) << '"' << text << '"';
  }
}

TEST(TrimBlanksTest, RemovesControlBytesAndSpacesAtBothEnds) {
  EXPECT_EQ(TrimBlanks(" \t\x01QUJD\r\x1f "), "QUJD");
  EXPECT_EQ(TrimBlanks("QU JD"), "QU JD");
  EXPECT_EQ(TrimBlanks(" \t "), "");
  // Bytes above 127 are text, not blanks.
  EXPECT_EQ(TrimBlanks("\x81\x40"), "\x81\x40");
}

}  // namespace
}  // namespace marrowpin
