#include "core/header_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace marrowpin {
namespace {

TEST(HeaderValueTest, TakesTextAfterFirstColon) {
  EXPECT_EQ(HeaderValue("-FILENAME:pic.bmp"), "pic.bmp");
  EXPECT_EQ(HeaderValue("X-A:b:c"), "b:c");
  EXPECT_EQ(HeaderValue("-FILENAME: pic.bmp "), " pic.bmp ");
  EXPECT_EQ(HeaderValue("-FILENAME:"), "");
}

TEST(HeaderValueTest, LineWithoutColonYieldsItself) {
  EXPECT_EQ(HeaderValue("-WIDTH 12"), "-WIDTH 12");
}

TEST(HeaderValueTest, CutsAt255Bytes) {
  const std::string long_value(300, 'Q');
  EXPECT_EQ(HeaderValue("BASE64:" + long_value).size(), 255u);
  EXPECT_EQ(HeaderValue(long_value).size(), 255u);
  EXPECT_EQ(HeaderValue("k:" + std::string(255, 'z')).size(), 255u);
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
