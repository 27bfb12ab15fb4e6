#include "decode/base64_decode.h"

#include <gtest/gtest.h>

#include <string>

#include "support/reference_rules.h"
#include "support/repeat.h"
#include "support/vector_levels.h"

namespace marrowpin {
namespace {

using testing::Repeat;

const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Every test runs at each vector level; texts are long enough to fill the
// widest vectors and leave groups for the scalar decoder after them.
class Base64DecodeTest : public ::testing::TestWithParam<simd::VectorLevel> {
 protected:
  void SetUp() override { testing::UseVectorLevel(GetParam()); }
  void TearDown() override { testing::UseBestVectorLevel(); }

  std::string Decode(std::string_view text, bool* only_alphabet = nullptr) {
    std::string out(Base64DecodedSize(text.size()) + 1, '\xEE');
    const std::size_t count =
        Base64Decode(text, reinterpret_cast<unsigned char*>(out.data()), only_alphabet);
    EXPECT_EQ(count, Base64DecodedSize(text.size()));
    EXPECT_EQ(out[count], '\xEE') << "wrote past the decoded bytes";
    out.resize(count);
    return out;
  }
};

TEST_P(Base64DecodeTest, DecodesWholeGroups) {
  EXPECT_EQ(Decode("YWJj"), "abc");
  EXPECT_EQ(Decode(""), "");
  for (std::size_t groups : {2, 16, 17, 35, 100}) {
    bool only_alphabet = false;
    EXPECT_EQ(Decode(Repeat("QUJD", groups), &only_alphabet), Repeat("ABC", groups));
    EXPECT_TRUE(only_alphabet);
  }
}

TEST_P(Base64DecodeTest, EveryGroupYieldsThreeBytesPaddingAsZero) {
  EXPECT_EQ(Decode("QQ=="), std::string("A\0\0", 3));
  EXPECT_EQ(Decode("QUI="), std::string("AB\0", 3));
  // "=" is no end mark: the groups after it are decoded as well.
  bool only_alphabet = true;
  EXPECT_EQ(Decode(Repeat("QQ==QUJD", 20), &only_alphabet),
            Repeat(std::string_view("A\0\0ABC", 6), 20));
  EXPECT_FALSE(only_alphabet);
}

TEST_P(Base64DecodeTest, CharactersOutsideTheAlphabetCountAsZeroAndDoNotStop) {
  EXPECT_EQ(Decode("Q Q\x80*"), std::string("\x40\x04\0", 3));
  EXPECT_EQ(Decode(std::string_view("\0\0\0\0QUJD", 8)), std::string("\0\0\0ABC", 6));
}

// Any byte at any place of a text that spans several vectors, and holds
// every character of the alphabet, gives the reference bytes; only the 64
// characters count as the alphabet.
TEST_P(Base64DecodeTest, EveryByteAtEveryPlaceDecodesByTheBook) {
  std::string text;
  for (std::size_t i = 0; i < 204; ++i)
    text += kAlphabet[(i * 7) % 64];
  for (std::size_t place = 0; place < text.size(); ++place) {
    std::string changed = text;
    for (int byte = 0; byte < 256; ++byte) {
      changed[place] = static_cast<char>(byte);
      bool only_alphabet = false;
      ASSERT_EQ(Decode(changed, &only_alphabet), reference::Base64Decode(changed))
          << "byte " << byte << " at " << place;
      ASSERT_EQ(only_alphabet, kAlphabet.find(static_cast<char>(byte)) != std::string::npos)
          << "byte " << byte << " at " << place;
    }
  }
}

INSTANTIATE_AT_EVERY_VECTOR_LEVEL(Base64DecodeTest);

}  // namespace
}  // namespace marrowpin
