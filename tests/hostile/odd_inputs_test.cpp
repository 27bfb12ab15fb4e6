#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/native_file_system.h"
#include "support/conversion_fixture.h"
#include "support/fake_prompts.h"
#include "support/golden_texts.h"
#include "support/repeat.h"

namespace marrowpin {
namespace {

namespace fs = std::filesystem;
using testing::Message;
using testing::ReadFile;
using testing::Repeat;

class OddInputTest : public testing::ConversionFixture {
 protected:
  bool Convert(const fs::path& source) {
    return ConversionFixture::Convert(source, prompts_, native_);
  }

  testing::FakePrompts prompts_;
};

// --- sources that are no note file -------------------------------------------

// An empty device, and an endless one: reading stops at its first zero byte,
// where the text ends.
TEST_F(OddInputTest, DevicesAreNotConvertible) {
  EXPECT_FALSE(Convert("/dev/null"));
  EXPECT_FALSE(Convert("/dev/zero"));
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{Message(golden::NotConvertible("null")),
                                                      Message(golden::NotConvertible("zero"))}));
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
  EXPECT_EQ(prompts_.shown,
            std::vector<std::string>{Message(golden::CannotReadFile(pipe.string()))});
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"pipe.vnt"});
}

// A writer that pauses between its lines is waited for to its end, however
// long the pause: once a writer has come, reads wait for data.
TEST_F(OddInputTest, PipeWithASlowWriterIsReadToItsEnd) {
  const fs::path pipe = folder_ / "pipe.vnt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::thread writer([&] {
    std::ofstream out(pipe, std::ios::binary);
    out << "-FILENAME:p\nBASE64:QUJD\n" << std::flush;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    out << "REVG\n";
  });
  EXPECT_TRUE(Convert(pipe));
  writer.join();
  EXPECT_EQ(ReadFile(folder_ / "p"), "ABCDEF");
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(OddInputTest, EmptyAndZeroByteFilesAreNotConvertible) {
  EXPECT_FALSE(Convert(Source("", "empty.vnt")));
  EXPECT_FALSE(Convert(Source(std::string(1 << 20, '\0'), "zeros.vnt")));
  // Everything after the first zero byte is no longer text, keys included.
  EXPECT_FALSE(Convert(Source(std::string("-FILENAME:x\r\n\0BASE64:QUJD\r\n", 27), "cut.vnt")));
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{Message(golden::NotConvertible("empty.vnt")),
                                                      Message(golden::NotConvertible("zeros.vnt")),
                                                      Message(golden::NotConvertible("cut.vnt"))}));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"cut.vnt", "empty.vnt", "zeros.vnt"}));
}

TEST_F(OddInputTest, LongLineWithoutPayloadKeyIsNotConvertible) {
  // Almost the key, many times over, so that every candidate must be rejected.
  std::string line;
  while (line.size() < (32u << 20))
    line += "BASE64;-FILENAME";
  EXPECT_FALSE(Convert(Source(line)));
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{Message(golden::NotConvertible("note.vnt"))});
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

TEST_F(OddInputTest, BinaryGarbageInThePayloadStillYieldsThreeBytesPerGroup) {
  std::string garbage;
  for (int byte = 33; byte < 256; ++byte)
    garbage += static_cast<char>(byte);
  garbage.resize(garbage.size() / 4 * 4);
  EXPECT_TRUE(Convert(Source("-FILENAME:p\nBASE64:\n" + garbage + "\n")));
  EXPECT_EQ(ReadFile(folder_ / "p").size(), garbage.size() / 4 * 3);
}

// --- lines longer than the chunks the note is read in ---------------------------

TEST_F(OddInputTest, KeyAtTheEndOfAHugeLineTakesBackWhatTheLineWrote) {
  // Each of these lines decodes to megabytes before its key shows at its end:
  // a skipped line and an end mark give nothing of their line.
  const std::string huge = Repeat("QUJD", 1 << 19);
  EXPECT_TRUE(Convert(Source("-FILENAME:skip\nBASE64:REVG\n" + huge + "#Content-\nR0hJ\n")));
  EXPECT_EQ(ReadFile(folder_ / "skip"), "DEFGHI");
  EXPECT_TRUE(Convert(Source("-FILENAME:end\nBASE64:REVG\n" + huge + "END:VNOTE\nR0hJ\n")));
  EXPECT_EQ(ReadFile(folder_ / "end"), "DEF");
}

TEST_F(OddInputTest, BlanksInsideAHugeLineDecodeAndThoseAtItsEndAreTrimmed) {
  const std::size_t groups = 1 << 18;
  const std::string line = std::string(3 << 19, '\t') + Repeat("QUJD", groups) +
                           std::string(1 << 21, ' ') + "QUJD" + std::string(3 << 19, '\x01');
  EXPECT_TRUE(Convert(Source("-FILENAME:p\nBASE64:\n" + line + "\nR0hJ\n")));
  EXPECT_EQ(ReadFile(folder_ / "p"),
            Repeat("ABC", groups) + std::string((1 << 21) / 4 * 3, '\0') + "ABCGHI");
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
