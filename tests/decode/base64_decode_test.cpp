#include "decode/base64_decode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/vector_levels.h"

namespace marrowpin {
namespace {

using Bytes = std::vector<unsigned char>;

const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The textbook reading: each character's position in the alphabet, 0 for
// any other, four values of six bits to three bytes.
Bytes DecodeByTheBook(std::string_view text) {
  Bytes bytes;
  for (std::size_t at = 0; at + 4 <= text.size(); at += 4) {
    unsigned group = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const std::size_t value = kAlphabet.find(text[at + i]);
      group = group << 6 | (value == std::string::npos ? 0 : static_cast<unsigned>(value));
    }
    bytes.insert(bytes.end(),
                 {static_cast<unsigned char>(group >> 16), static_cast<unsigned char>(group >> 8),
                  static_cast<unsigned char>(group)});
  }
  return bytes;
}

std::string Repeat(std::string_view text, std::size_t times) {
  std::string repeated;
  for (std::size_t i = 0; i < times; ++i)
    repeated += text;
  return repeated;
}

Bytes Repeat(const Bytes& bytes, std::size_t times) {
  Bytes repeated;
  for (std::size_t i = 0; i < times; ++i)
    repeated.insert(repeated.end(), bytes.begin(), bytes.end());
  return repeated;
}

// Every test runs at each vector level; texts are long enough to fill the
// widest vectors and leave groups for the scalar decoder after them.
class Base64DecodeTest : public ::testing::TestWithParam<simd::VectorLevel> {
 protected:
  void SetUp() override { testing::UseVectorLevel(GetParam()); }
  void TearDown() override { testing::UseBestVectorLevel(); }

  Bytes Decode(std::string_view text, bool* only_alphabet = nullptr) {
    std::vector<unsigned char> out(Base64DecodedSize(text.size()) + 1, 0xEE);
    const std::size_t count = Base64Decode(text, out.data(), only_alphabet);
    EXPECT_EQ(count, Base64DecodedSize(text.size()));
    EXPECT_EQ(out[count], 0xEE) << "wrote past the decoded bytes";
    out.resize(count);
    return out;
  }
};

TEST_P(Base64DecodeTest, DecodesWholeGroups) {
  EXPECT_EQ(Decode("YWJj"), (Bytes{'a', 'b', 'c'}));
  EXPECT_EQ(Decode(""), Bytes{});
  for (std::size_t groups : {2, 16, 17, 35, 100}) {
    bool only_alphabet = false;
    EXPECT_EQ(Decode(Repeat("QUJD", groups), &only_alphabet), Repeat(Bytes{'A', 'B', 'C'}, groups));
    EXPECT_TRUE(only_alphabet);
  }
}

TEST_P(Base64DecodeTest, EveryGroupYieldsThreeBytesPaddingAsZero) {
  EXPECT_EQ(Decode("QQ=="), (Bytes{0x41, 0x00, 0x00}));
  EXPECT_EQ(Decode("QUI="), (Bytes{0x41, 0x42, 0x00}));
  // "=" is no end mark: the groups after it are decoded as well.
  bool only_alphabet = true;
  EXPECT_EQ(Decode(Repeat("QQ==QUJD", 20), &only_alphabet),
            Repeat(Bytes{0x41, 0, 0, 'A', 'B', 'C'}, 20));
  EXPECT_FALSE(only_alphabet);
}

TEST_P(Base64DecodeTest, CoversTheWholeAlphabet) {
  const Bytes decoded = Decode(kAlphabet + kAlphabet);
  // The alphabet in order is the 6-bit values 0..63, i.e. the bit stream
  // 000000 000001 000010 ...
  for (std::size_t i = 0; i < 2 * kAlphabet.size(); ++i) {
    const std::size_t bit = i * 6;
    unsigned value = 0;
    for (std::size_t b = 0; b < 6; ++b) {
      const std::size_t at = bit + b;
      value = (value << 1) | ((decoded[at / 8] >> (7 - at % 8)) & 1u);
    }
    EXPECT_EQ(value, i % 64) << kAlphabet[i % 64];
  }
}

TEST_P(Base64DecodeTest, CharactersOutsideTheAlphabetCountAsZeroAndDoNotStop) {
  EXPECT_EQ(Decode("Q Q\x80*"), (Bytes{0x40, 0x04, 0x00}));
  EXPECT_EQ(Decode(std::string_view("\0\0\0\0QUJD", 8)), (Bytes{0, 0, 0, 'A', 'B', 'C'}));
}

// Any byte at any place of a text that spans several vectors gives the
// textbook bytes, and only the 64 characters count as the alphabet.
TEST_P(Base64DecodeTest, EveryByteAtEveryPlaceDecodesByTheBook) {
  std::string text;
  for (std::size_t i = 0; i < 204; ++i)
    text += kAlphabet[(i * 7) % 64];
  for (std::size_t place = 0; place < text.size(); ++place) {
    std::string changed = text;
    for (int byte = 0; byte < 256; ++byte) {
      changed[place] = static_cast<char>(byte);
      bool only_alphabet = false;
      ASSERT_EQ(Decode(changed, &only_alphabet), DecodeByTheBook(changed))
          << "byte " << byte << " at " << place;
      ASSERT_EQ(only_alphabet, kAlphabet.find(static_cast<char>(byte)) != std::string::npos)
          << "byte " << byte << " at " << place;
    }
  }
}

INSTANTIATE_AT_EVERY_VECTOR_LEVEL(Base64DecodeTest);

}  // namespace
}  // namespace marrowpin
