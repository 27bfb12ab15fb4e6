#include "decode/base64_decode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace marrowpin {
namespace {

std::vector<unsigned char> Decode(std::string_view text) {
  std::vector<unsigned char> out(Base64DecodedSize(text.size()) + 1, 0xEE);
  const std::size_t count = Base64Decode(text, out.data());
  EXPECT_EQ(count, Base64DecodedSize(text.size()));
  EXPECT_EQ(out[count], 0xEE) << "wrote past the decoded bytes";
  out.resize(count);
  return out;
}

using Bytes = std::vector<unsigned char>;

TEST(Base64DecodeTest, DecodesWholeGroups) {
  EXPECT_EQ(Decode("YWJj"), (Bytes{'a', 'b', 'c'}));
  EXPECT_EQ(Decode("QUJDREVG"), (Bytes{'A', 'B', 'C', 'D', 'E', 'F'}));
  EXPECT_EQ(Decode(""), Bytes{});
}

TEST(Base64DecodeTest, EveryGroupYieldsThreeBytesPaddingAsZero) {
  EXPECT_EQ(Decode("QQ=="), (Bytes{0x41, 0x00, 0x00}));
  EXPECT_EQ(Decode("QUI="), (Bytes{0x41, 0x42, 0x00}));
  // "=" is no end mark: the groups after it are decoded as well.
  EXPECT_EQ(Decode("QQ==QUJD"), (Bytes{0x41, 0, 0, 'A', 'B', 'C'}));
}

TEST(Base64DecodeTest, CoversTheWholeAlphabet) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const Bytes decoded = Decode(alphabet);
  // The alphabet in order is the 6-bit values 0..63, i.e. the bit stream
  // 000000 000001 000010 ...
  for (std::size_t i = 0; i < alphabet.size(); ++i) {
    const std::size_t bit = i * 6;
    unsigned value = 0;
    for (std::size_t b = 0; b < 6; ++b) {
      const std::size_t at = bit + b;
      value = (value << 1) | ((decoded[at / 8] >> (7 - at % 8)) & 1u);
    }
    EXPECT_EQ(value, i) << alphabet[i];
  }
}

TEST(Base64DecodeTest, CharactersOutsideTheAlphabetCountAsZeroAndDoNotStop) {
  EXPECT_EQ(Decode("Q Q\x80*"), (Bytes{0x40, 0x04, 0x00}));
  EXPECT_EQ(Decode(std::string_view("\0\0\0\0QUJD", 8)), (Bytes{0, 0, 0, 'A', 'B', 'C'}));
}

}  // namespace
}  // namespace marrowpin
