#include "core/byte_search.h"

#include <gtest/gtest.h>

#include <string>

#include "support/vector_levels.h"

namespace marrowpin {
namespace {

class ByteSearchTest : public ::testing::TestWithParam<simd::VectorLevel> {
 protected:
  void SetUp() override { testing::UseVectorLevel(GetParam()); }
  void TearDown() override { testing::UseBestVectorLevel(); }
};

// Texts of bytes that are near the searched ones but are none of them.
std::string Filler(std::size_t size) {
  const std::string near = "\x01\x09\x0b\x0c\x0e\x1f :#\x8d\x8a\xff";
  std::string text;
  for (std::size_t i = 0; i < size; ++i)
    text += near[i % near.size()];
  return text;
}

TEST_P(ByteSearchTest, FindsTheFirstLineBreakAtAnyPlace) {
  for (std::size_t size = 0; size <= 100; ++size) {
    const std::string text = Filler(size);
    EXPECT_EQ(FindLineBreak(text), size);
    for (std::size_t place = 0; place < size; ++place) {
      for (char line_break : {'\r', '\n', '\0'}) {
        std::string broken = text;
        broken[place] = line_break;
        if (place + 1 < size) broken[size - 1] = '\n';  // a later one does not count
        ASSERT_EQ(FindLineBreak(broken), place) << "size " << size << ", byte " << int(line_break);
      }
    }
  }
}

TEST_P(ByteSearchTest, FindsTheFirstWantedByteFromAPlace) {
  for (std::size_t size = 0; size <= 100; ++size) {
    std::string text = Filler(size);
    for (char& c : text)
      if (c == '#') c = '.';
    EXPECT_EQ(FindByte(text, '#'), std::string_view::npos);
    for (std::size_t place = 0; place < size; ++place) {
      std::string marked = text;
      marked[place] = '#';
      ASSERT_EQ(FindByte(marked, '#'), place);
      ASSERT_EQ(FindByte(marked, '#', place), place);
      ASSERT_EQ(FindByte(marked, '#', place + 1), std::string_view::npos);
    }
  }
}

INSTANTIATE_AT_EVERY_VECTOR_LEVEL(ByteSearchTest);

}  // namespace
}  // namespace marrowpin
