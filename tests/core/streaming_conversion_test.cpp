// Conversions read in chunks of every size from one byte up, at every vector
// level: lines, keys and line ends that straddle chunks must give the same
// output as when the note is read in one piece.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/convert_file.h"
#include "core/stream_line_source.h"
#include "support/conversion_fixture.h"
#include "support/fake_prompts.h"
#include "support/reference_rules.h"
#include "support/repeat.h"
#include "support/vector_levels.h"

namespace marrowpin {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::Repeat;

struct Case {
  const char* what;
  std::string payload;  // the note after its "-FILENAME:p" line
  std::string output;
};

const std::vector<Case> kCases = {
    {"carry-over", "BASE64:QUJ\r\nDREVG\r\nEND:VNOTE\r\n", "ABCDEF"},
    {"carry-over of single characters", "BASE64:Q\nU\rJ\r\nD\n", "ABC"},
    {"characters left over at the end", "BASE64:QUJDRE\nEND:VNOTE\n", "ABC"},
    {"empty payload", "BASE64:\nEND:VNOTE\n", ""},
    {"skipped line", "BASE64:QUJD\n#Content-Type: x\nREVG\n", "ABCDEF"},
    {"skip key inside a line", "BASE64:\nQUJDQUJD#Content-QUJD\nREVG\n", "DEF"},
    {"end mark after groups", "BASE64:QUJD\nREVGEND:VNOTE\nR0hJ\n", "ABC"},
    {"end mark made with the carry-over", "BASE64:QUJDEND\n:VNOTE\nR0hJ\n", "ABC"},
    {"skip key wins over end mark", "BASE64:QUJD\nEND:VNOTE#Content-\nREVG\n", "ABCDEF"},
    {"blank inside a line", "BASE64:QUJD E\nFGH\nEND:VNOTE\n", "ABC\x10\x51\x87"},
    {"blank line ends", "BASE64:QUJD\n \t \nREVG\n", "ABC"},
    {"blank line with carry-over", "BASE64:QUJDR\n \nEVG\nEND:VNOTE", "ABCDEF"},
    {"blanks around lines", "BASE64: QU \r\n\t JD  \r\nREVG\n", "ABCDEF"},
    {"first piece cut to 255", "BASE64:" + std::string(300, 'Q') + "\nQUJD\n",
     [] {
       std::string bytes;
       for (int i = 0; i < 64; ++i)
         bytes += "\x41\x04\x10";
       return bytes;
     }()},
    {"zero byte ends the text", std::string("BASE64:QUJD\nREVG\0R0hJ\n", 23), "ABCDEF"},
    {"last line without line end", "BASE64:QUJD\nREVG", "ABCDEF"},
    {"LF CR is two line ends", "BASE64:QUJD\n\rREVG\n", "ABC"},
    {"payload key on a trail byte",
     "\x82"
     "BASE64:QUJD\nBASE64:REVG\n",
     "DEF"},
    {"end mark behind a lead byte", "BASE64:QUJD\x82\nEND:VNOTE\nEND:VNOTE\n",
     std::string("ABC\0CC\1SN", 9)},
    {"padding", "BASE64:QUJDQQ==\n", std::string("ABCA\0\0", 6)},
};

class StreamingConversionTest
    : public testing::ConversionFixture,
      public ::testing::WithParamInterface<std::tuple<simd::VectorLevel, std::size_t>> {
 protected:
  void SetUp() override {
    ConversionFixture::SetUp();
    testing::UseVectorLevel(std::get<0>(GetParam()));
  }
  void TearDown() override {
    testing::UseBestVectorLevel();
    ConversionFixture::TearDown();
  }
};

TEST_P(StreamingConversionTest, GivesTheSameOutputForEveryChunkSize) {
  StreamLineSource lines(std::get<1>(GetParam()));
  testing::FakePrompts prompts;
  const ConversionServices services{lines, prompts, native_, header_, messages_, PathStyle::kPosix};
  for (const Case& c : kCases) {
    const fs::path source = Source("-FILENAME:p\r\n" + c.payload);
    fs::remove(folder_ / "p");
    EXPECT_TRUE(ConvertFile(source.string(), services)) << c.what;
    EXPECT_EQ(ReadFile(folder_ / "p"), c.output) << c.what;
  }
  EXPECT_TRUE(prompts.shown.empty());
}

// A note of many lines: mostly clean runs of alphabet characters in lines of
// every length, with the odd line that takes the line-by-line rules (blanks,
// "=", a skip key, bytes outside the alphabet, an empty line after a partial
// group, a Shift-JIS lead byte) at random places relative to the blocks that
// the vector code reads, and all three line ends.
std::string RandomNote(std::mt19937& random) {
  const std::string_view alphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::string_view line_ends[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};
  // Long ones too, which come in slices when chunks are short.
  const std::string long_groups = Repeat("QUJD", 30);
  const std::string odd_lines[] = {" QUJD\t",
                                   "QU JD",
                                   "QQ==",
                                   "#Content-Type: x",
                                   "\x82QUJD",
                                   "Q\x80UJD",
                                   "QUJ",
                                   ":",
                                   "\x01",
                                   long_groups + " " + long_groups,
                                   long_groups + "END:VNOTE" + long_groups,
                                   long_groups + "#Content-" + long_groups,
                                   long_groups + "=" + long_groups + "\t"};
  auto pick = [&random](std::size_t size) {
    return std::uniform_int_distribution<std::size_t>(0, size - 1)(random);
  };
  std::string note = "-FILENAME:p\r\nBASE64:" + std::string(alphabet.substr(pick(8), pick(8)));
  const std::size_t lines = 20 + pick(200);
  const std::size_t width = 1 + pick(120);
  for (std::size_t line = 0; line < lines; ++line) {
    note += line_ends[pick(std::size(line_ends))];
    if (pick(12) == 0) {
      note += odd_lines[pick(std::size(odd_lines))];
    } else {
      for (std::size_t i = pick(4) == 0 ? 1 + pick(2 * width) : width; i > 0; --i)
        note += alphabet[pick(alphabet.size())];
    }
  }
  // The payload ends at an empty line without a partial group, or at the end mark.
  note += pick(2) == 0 ? "\r\n\r\nQUJD\r\n" : "\nEND:VNOTE\nQUJD";
  return note;
}

TEST_P(StreamingConversionTest, GivesTheOutputOfTheLineByLineRulesForRandomNotes) {
  StreamLineSource lines(std::get<1>(GetParam()));
  testing::FakePrompts prompts;
  const ConversionServices services{lines, prompts, native_, header_, messages_, PathStyle::kPosix};
  std::mt19937 random(29);
  for (int note = 0; note < 40; ++note) {
    const std::string bytes = RandomNote(random);
    const fs::path source = Source(bytes);
    fs::remove(folder_ / "p");
    ASSERT_TRUE(ConvertFile(source.string(), services)) << "note " << note;
    bool found = false;
    ASSERT_EQ(ReadFile(folder_ / "p"), reference::PayloadBytes(bytes, &found)) << "note " << note;
  }
}

INSTANTIATE_TEST_SUITE_P(ChunksAndLevels, StreamingConversionTest,
                         ::testing::Combine(::testing::ValuesIn(simd::BuiltLevels()),
                                            ::testing::Values(1, 2, 3, 5, 8, 13, 64,
                                                              StreamLineSource::kDefaultChunkSize)),
                         [](const auto& info) {
                           return std::string(simd::LevelName(std::get<0>(info.param))) + "_chunk" +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace marrowpin
