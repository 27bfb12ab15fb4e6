#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/line_splitter.h"
#include "core/memory_line_buffer.h"

namespace marrowpin {
namespace {

using Lines = std::vector<std::string>;

Lines Split(std::string_view bytes) {
  Lines lines;
  SplitLines(bytes, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

Lines ReadAll(LineBuffer& buffer) {
  Lines lines;
  for (std::size_t k = 0; k < buffer.Count(); ++k)
    lines.emplace_back(buffer.Line(k));
  return lines;
}

TEST(SplitLinesTest, EachLineEndKindEndsALine) {
  EXPECT_EQ(Split("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  // LF then CR is two line ends, the second closing an empty line.
  EXPECT_EQ(Split("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(Split("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(Split("\n\n"), (Lines{"", ""}));
}

TEST(SplitLinesTest, FinalLineEndAddsNoEmptyLine) {
  EXPECT_EQ(Split("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(Split("a\r"), (Lines{"a"}));
  EXPECT_EQ(Split("a"), (Lines{"a"}));
  EXPECT_EQ(Split(""), Lines{});
}

TEST(SplitLinesTest, FirstZeroByteEndsTheText) {
  EXPECT_EQ(Split(std::string_view("ab\0cd\r\nef", 9)), (Lines{"ab"}));
  EXPECT_EQ(Split(std::string_view("ab\r\n\0cd", 7)), (Lines{"ab"}));
  EXPECT_EQ(Split(std::string_view("\0\0\0", 3)), Lines{});
}

TEST(SplitLinesTest, KeepsBlanksAndOtherBytes) {
  EXPECT_EQ(Split(" a \t\r\n\x82\xa0"), (Lines{" a \t", "\x82\xa0"}));
}

TEST(MemoryLineBufferTest, LoadsLinesLikeTheSplitter) {
  MemoryLineBuffer buffer;
  const std::string text = "one\r\ntwo\n\rthree\rfour\r\n";
  buffer.Load(text);
  EXPECT_EQ(ReadAll(buffer), Split(text));
  EXPECT_EQ(buffer.Count(), 5u);
}

TEST(MemoryLineBufferTest, ReplacesAndDeletesTheFirstLine) {
  MemoryLineBuffer buffer;
  buffer.Load("h1\r\nBASE64:QUJD\r\nREVG\r\n");
  buffer.DeleteFirst();
  buffer.ReplaceFirst("QUJD");
  EXPECT_EQ(ReadAll(buffer), (Lines{"QUJD", "REVG"}));
  buffer.DeleteFirst();
  EXPECT_EQ(ReadAll(buffer), (Lines{"REVG"}));
  buffer.DeleteFirst();
  EXPECT_EQ(buffer.Count(), 0u);
}

TEST(MemoryLineBufferTest, ClearAndReloadForgetEverything) {
  MemoryLineBuffer buffer;
  buffer.Load("a\nb\n");
  buffer.ReplaceFirst("x");
  buffer.Load("c\n");
  EXPECT_EQ(ReadAll(buffer), (Lines{"c"}));
  buffer.Clear();
  EXPECT_EQ(buffer.Count(), 0u);
  buffer.Load("");
  EXPECT_EQ(buffer.Count(), 0u);
}

}  // namespace
}  // namespace marrowpin
