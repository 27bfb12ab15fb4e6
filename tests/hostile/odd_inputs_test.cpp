#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/native_file_system.h"
#include "support/conversion_fixture.h"
#include "support/golden_texts.h"

namespace marrowpin {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

// Records the messages; declines every question and the name dialog.
class RecordingPrompts final : public UserPrompts {
 public:
  std::vector<std::string> messages;

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(Question, const std::string&, const std::string&) override { return false; }
  std::optional<std::string> AskFileName(NameRequest, const std::string&, const std::string&,
                                         const std::string&) override {
    return std::nullopt;
  }
};

class OddInputTest : public testing::ConversionFixture {
 protected:
  bool Convert(const fs::path& source) {
    return ConversionFixture::Convert(source, prompts_, native_);
  }

  RecordingPrompts prompts_;
};

// --- sources that are no note file -------------------------------------------

TEST_F(OddInputTest, FolderIsNoSourceAndGetsNoMessage) {
  fs::create_directory(folder_ / "notes.vnt");
  EXPECT_FALSE(Convert(folder_ / "notes.vnt"));
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(OddInputTest, EmptyDeviceIsNotConvertible) {
  EXPECT_FALSE(Convert("/dev/null"));
  EXPECT_EQ(prompts_.messages, std::vector<std::string>{golden::NotConvertible("null")});
}

// An endless device: reading stops at its first zero byte, where the text ends.
TEST_F(OddInputTest, EndlessDeviceOfZeroBytesIsNotConvertible) {
  EXPECT_FALSE(Convert("/dev/zero"));
  EXPECT_EQ(prompts_.messages, std::vector<std::string>{golden::NotConvertible("zero")});
}

// A pipe nobody writes to must not block the conversion for ever: after a
// while its read fails and says why.
TEST_F(OddInputTest, PipeWithoutWriterFailsAfterAWait) {
  const fs::path pipe = folder_ / "pipe.vnt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  NativeFileSystem files(std::chrono::milliseconds(300));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ConversionFixture::Convert(pipe, prompts_, files));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
  EXPECT_EQ(prompts_.messages, std::vector<std::string>{golden::CannotReadFile(pipe.string())});
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"pipe.vnt"});
}

TEST_F(OddInputTest, EmptyAndZeroByteFilesAreNotConvertible) {
  EXPECT_FALSE(Convert(Source("", "empty.vnt")));
  EXPECT_FALSE(Convert(Source(std::string(1 << 20, '\0'), "zeros.vnt")));
  // Everything after the first zero byte is no longer text, keys included.
  EXPECT_FALSE(Convert(Source(std::string("-FILENAME:x\r\n\0BASE64:QUJD\r\n", 27), "cut.vnt")));
  EXPECT_EQ(prompts_.messages, (std::vector<std::string>{golden::NotConvertible("empty.vnt"),
                                                         golden::NotConvertible("zeros.vnt"),
                                                         golden::NotConvertible("cut.vnt")}));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"cut.vnt", "empty.vnt", "zeros.vnt"}));
}

TEST_F(OddInputTest, LongLineWithoutPayloadKeyIsNotConvertible) {
  // Almost the key, many times over, so that every candidate must be rejected.
  std::string line;
  while (line.size() < (32u << 20))
    line += "BASE64;-FILENAME";
  EXPECT_FALSE(Convert(Source(line)));
  EXPECT_EQ(prompts_.messages, std::vector<std::string>{golden::NotConvertible("note.vnt")});
}

TEST_F(OddInputTest, ManyEmptyLinesBeforeThePayloadAreScannedOneByOne) {
  const std::string source = std::string(1 << 20, '\n') + "-FILENAME:p\nBASE64:QUJD\n";
  EXPECT_TRUE(Convert(Source(source)));
  EXPECT_EQ(ReadFile(folder_ / "p"), "ABC");
}

// --- payloads of unusual shape -------------------------------------------------

TEST_F(OddInputTest, LongPayloadLineWithoutLineEndConverts) {
  std::string payload;
  std::string expected = "ABCDEF";
  for (int i = 0; i < (1 << 20); ++i) {
    payload += "QUJD";
    expected += "ABC";
  }
  // "RE" carried over from the first line and "VG" make up the second group.
  EXPECT_TRUE(Convert(Source("-FILENAME:p\r\nBASE64:QUJDRE\r\nVG" + payload)));
  EXPECT_EQ(ReadFile(folder_ / "p"), expected);
}

TEST_F(OddInputTest, BlankInsideALineIsNotCarriedIntoTheNextGroup) {
  // "QUJD E" leaves " E" beyond its whole groups; the carry-over is trimmed
  // like a line, so the next piece is "EFGH", not " EFG" followed by "H".
  EXPECT_TRUE(Convert(Source("-FILENAME:p\nBASE64:QUJD E\nFGH\nEND:VNOTE\n")));
  EXPECT_EQ(ReadFile(folder_ / "p"), "ABC\x10\x51\x87");
}

TEST_F(OddInputTest, EndMarkBehindALeadByteOfTheCarryOverIsNoEndMark) {
  // "\x82" is carried over and starts a double-byte character, so the "E"
  // that follows is its second byte: the piece holds no end mark and is
  // decoded; the next line ends the payload.
  EXPECT_TRUE(Convert(Source("-FILENAME:p\nBASE64:QUJD\x82\nEND:VNOTE\nEND:VNOTE\n")));
  EXPECT_EQ(ReadFile(folder_ / "p"), std::string("ABC\0CC\1SN", 9));
}

TEST_F(OddInputTest, BinaryGarbageInThePayloadStillYieldsThreeBytesPerGroup) {
  std::string garbage;
  for (int byte = 33; byte < 256; ++byte)
    garbage += static_cast<char>(byte);
  garbage.resize(garbage.size() / 4 * 4);
  EXPECT_TRUE(Convert(Source("-FILENAME:p\nBASE64:\n" + garbage + "\n")));
  EXPECT_EQ(ReadFile(folder_ / "p").size(), garbage.size() / 4 * 3);
}

// --- lines longer than the chunks the note is read in ---------------------------

// Repeats "QUJD" (which decodes to "ABC") to make count groups.
std::string Groups(std::size_t count) {
  std::string groups;
  for (std::size_t i = 0; i < count; ++i)
    groups += "QUJD";
  return groups;
}

std::string Repeated(std::string_view bytes, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i)
    text += bytes;
  return text;
}

TEST_F(OddInputTest, KeyAtTheEndOfAHugeLineTakesBackWhatTheLineWrote) {
  // Each of these lines decodes to megabytes before its key shows at its end:
  // a skipped line and an end mark give nothing of their line.
  const std::string huge = Groups(1 << 19);
  EXPECT_TRUE(Convert(Source("-FILENAME:skip\nBASE64:REVG\n" + huge + "#Content-\nR0hJ\n")));
  EXPECT_EQ(ReadFile(folder_ / "skip"), "DEFGHI");
  EXPECT_TRUE(Convert(Source("-FILENAME:end\nBASE64:REVG\n" + huge + "END:VNOTE\nR0hJ\n")));
  EXPECT_EQ(ReadFile(folder_ / "end"), "DEF");
}

TEST_F(OddInputTest, BlanksInsideAHugeLineDecodeAndThoseAtItsEndAreTrimmed) {
  const std::size_t groups = 1 << 18;
  const std::string line = std::string(3 << 19, '\t') + Groups(groups) + std::string(1 << 21, ' ') +
                           "QUJD" + std::string(3 << 19, '\x01');
  EXPECT_TRUE(Convert(Source("-FILENAME:p\nBASE64:\n" + line + "\nR0hJ\n")));
  EXPECT_EQ(ReadFile(folder_ / "p"),
            Repeated("ABC", groups) + std::string((1 << 21) / 4 * 3, '\0') + "ABCGHI");
}

TEST_F(OddInputTest, HeaderLinesLongerThanAChunkKeepTheirKeysAndValues) {
  // Keys stand megabytes into their lines; values are cut to 255 bytes.
  const std::string filler(3 << 19, '.');
  const std::string name(300, 'n');
  EXPECT_TRUE(Convert(Source(filler + "-FILENAME:" + name + filler + "\n" + filler + "BASE64:QUJD" +
                             filler + "\n")));
  // The piece is "QUJD" and 251 dots: each group of dots decodes to zeros.
  EXPECT_EQ(ReadFile(folder_ / name.substr(0, 255)), "ABC" + std::string(62 * 3, '\0'));
}

}  // namespace
}  // namespace marrowpin
