#include "core/byte_search.h"

#include <gtest/gtest.h>

#include <string>

#include "core/clean_lines.h"

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

// Where the clean lines at the start of text end, line by line from the
// rules: each line one or more alphabet characters, then CR LF, CR or LF,
// where a CR last in the text may yet be the start of a CR LF.
std::size_t CleanLinesEnd(std::string_view text) {
  const std::string_view alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::size_t clean_end = 0;
  for (std::size_t at = 0;;) {
    std::size_t end = at;
    while (end < text.size() && alphabet.find(text[end]) != std::string_view::npos)
      ++end;
    if (end == at || end == text.size()) return clean_end;
    if (text[end] == '\n') {
      at = end + 1;
    } else if (text[end] == '\r' && end + 1 < text.size()) {
      at = end + (text[end + 1] == '\n' ? 2 : 1);
    } else {
      return clean_end;
    }
    clean_end = at;
  }
}

std::string WithoutLineEnds(std::string_view text) {
  std::string chars;
  for (char c : text)
    if (c != '\r' && c != '\n') chars += c;
  return chars;
}

// Clean lines of several lengths and line ends, over more than two blocks
// of 64 bytes, with one byte put in at every place: a byte outside the
// alphabet, or a line end that makes an empty line or splits a CR LF.
TEST_P(ByteSearchTest, FindsWhereTheCleanLinesEndWithAnOddByteAtAnyPlace) {
  const std::string clean =
      "QUJDREVG\r\nQUJ\rD\nR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZnaGlqa2xtbm9wcXJzdHV2d3h5ejAx\r\n"
      "Mj+/"
      "\nQ\r\nQUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVph\r\nQUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZna"
      "Glqa2xtbm9wcXJzdHV2d3h5\n"
      "ejAxMjM0NTY3ODkrLw\r";
  ASSERT_GT(clean.size(), 3 * 64u);
  std::string joined(clean.size() + 64, '?');
  EXPECT_EQ(JoinCleanLines(clean, joined.data()).length, clean.size() - 19);
  EXPECT_EQ(JoinCleanLines("", joined.data()).length, 0u);
  for (char odd : {' ', '\t', '=', '\0', ':', '-', '#', '\x80', '\x82', '\xff', '\r', '\n'}) {
    for (std::size_t place = 0; place <= clean.size(); ++place) {
      for (const bool replace : {false, true}) {
        if (replace && place == clean.size()) continue;
        std::string text = clean;
        if (replace) {
          text[place] = odd;
        } else {
          text.insert(place, 1, odd);
        }
        for (std::size_t size : {text.size(), place + 1, place + 2}) {
          const std::string_view cut = std::string_view(text).substr(0, size);
          std::string joined(cut.size() + 64, '?');
          const CleanLines clean_lines = JoinCleanLines(cut, joined.data());
          const std::size_t length = clean_lines.length;
          ASSERT_EQ(length, CleanLinesEnd(cut))
              << "byte " << int(odd) << (replace ? " instead of" : " before") << " place " << place
              << ", " << cut.size() << " bytes";
          joined.resize(clean_lines.characters);
          ASSERT_EQ(joined, WithoutLineEnds(cut.substr(0, length))) << "place " << place;
        }
      }
    }
  }
}

INSTANTIATE_AT_EVERY_VECTOR_LEVEL(ByteSearchTest);

}  // namespace
}  // namespace marrowpin
