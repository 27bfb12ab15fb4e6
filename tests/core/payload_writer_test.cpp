#include "core/payload_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/reference_rules.h"
#include "support/repeat.h"

namespace marrowpin {
namespace {

using testing::Repeat;

// Keeps the bytes written and records every cut; fails every write from
// the one numbered failing_write on.
class RecordingOutput final : public OutputFile {
 public:
  std::string bytes;
  std::vector<std::uint64_t> cuts;
  int writes = 0;
  int failing_write = -1;

  bool Write(const void* data, std::size_t size) override {
    if (failing_write >= 0 && writes++ >= failing_write) return false;
    bytes.append(static_cast<const char*>(data), size);
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    cuts.push_back(size);
    bytes.resize(size);
    return true;
  }
  bool FinishWriting() override { return true; }
  bool MakeDurable() override { return true; }
  bool Commit() override { return true; }
  bool MakeNameDurable() override { return true; }
  std::optional<FileId> FolderId() const override { return std::nullopt; }
};

// A slice that leaves its line open, and one that ends it.
LineSlice Open(std::string_view text) {
  return {text, false};
}
LineSlice Ends(std::string_view text) {
  return {text, true};
}

// Over a megabyte of groups: the writer hands them to the file before the
// line ends, so taking the line back cuts the file.
const std::string kHandedOver = Repeat("QUJD", 1 << 19);
// Slices long enough to be taken as runs of alphabet characters.
const std::string kLongAfterEnd = "VNOTE" + Repeat("QUJD", 20);
const std::string kLongBeforeEnd = Repeat("QUJD", 20) + "END";
const std::string kLongWithBlank = "Q" + Repeat("QUJD", 4) + " " + Repeat("QUJD", 4);
const std::string kLongWithPadding = Repeat("QUJD", 7) + "=UJD";

struct Case {
  const char* what;
  std::vector<LineSlice> slices;
  std::string bytes;
  bool ended;
  std::vector<std::uint64_t> cuts;  // of the file, its 3-byte header included
};

TEST(PayloadWriterTest, DecodesSlicesAndTakesBackLinesThatTurnOutSkippedOrEnding) {
  const Case cases[] = {
      {"whole lines", {Ends("QUJD"), Ends("REVG")}, "ABCDEF", false, {}},
      {"groups across slices", {Open("QU"), Open("JDRE"), Ends("VG")}, "ABCDEF", false, {}},
      {"carry-over to the next line", {Ends("QUJDR"), Ends("EVG")}, "ABCDEF", false, {}},
      {"skip key across slices",
       {Ends("QUJD"), Open("REVG#Con"), Ends("tent-"), Ends("R0hJ")},
       "ABCGHI",
       false,
       {}},
      {"end mark across slices",
       {Ends("QUJD"), Open("REVGEND:"), Ends("VNOTE"), Ends("R0hJ")},
       "ABC",
       true,
       {}},
      {"skip key made with the carry-over",
       {Ends("QUJD#Co"), Open("ntent-"), Ends("x"), Ends("END:VNOTE")},
       "ABC",
       true,
       {}},
      {"blanks at a slice's end held, then trimmed",
       {Open(" \t QUJ"), Open("D  "), Open(" "), Ends(""), Ends("REVG")},
       "ABCDEF",
       false,
       {}},
      {"blanks held, then decoded inside the line",
       {Open("QUJD "), Open("  "), Ends(" QUJD")},
       std::string("ABC\0\0\0ABC", 9),
       false,
       {}},
      {"blank line in slices ends",
       {Ends("QUJD"), Open(" "), Ends("\t"), Ends("REVG")},
       "ABC",
       true,
       {}},
      {"blank line with a carry-over goes on",
       {Ends("QUJ"), Ends(""), Ends("D")},
       "ABC",
       false,
       {}},
      {"long line skipped after a megabyte",
       {Ends("QUJD"), Open(kHandedOver), Ends("#Content-"), Ends("REVG")},
       "ABCDEF",
       false,
       {6}},
      {"long line ending the payload after a megabyte",
       {Ends("QUJD"), Open(kHandedOver), Open("END:VN"), Ends("OTE"), Ends("REVG")},
       "ABC",
       true,
       {6}},
      {"end mark that a long slice completes",
       {Ends("QUJD"), Open("QUJDEND:"), Ends(kLongAfterEnd), Ends("REVG")},
       "ABC",
       true,
       {}},
      {"end mark that the slice after a long one completes",
       {Ends("QUJD"), Open(kLongBeforeEnd), Ends(":VNOTE"), Ends("REVG")},
       "ABC",
       true,
       {}},
      {"long slices with a blank and an \"=\" inside",
       {Open(kLongWithBlank), Ends(kLongWithPadding)},
       reference::Base64Decode((kLongWithBlank + kLongWithPadding).substr(0, 64)),
       false,
       {}},
  };
  for (const Case& c : cases) {
    RecordingOutput output;
    output.bytes = "HDR";  // a header written before the payload
    PayloadWriter payload(output, 3);
    // As WritePayload does, no slice is taken once the payload has ended.
    for (std::size_t i = 0; i < c.slices.size() && !payload.ended(); ++i)
      payload.Take(c.slices[i]);
    EXPECT_TRUE(payload.Finish()) << c.what;
    const std::string& bytes = output.bytes;
    EXPECT_EQ(bytes.size() < 64 ? bytes : std::to_string(bytes.size()) + " bytes", "HDR" + c.bytes)
        << c.what;
    EXPECT_EQ(payload.ended(), c.ended) << c.what;
    EXPECT_EQ(output.cuts, c.cuts) << c.what;
  }
}

// Megabytes of clean lines taken at once are handed to the file in blocks,
// in order; a write that fails fails the payload, and none follows it.
TEST(PayloadWriterTest, WritesEveryBlockInOrderAndTellsOfAFailedWrite) {
  std::string lines;
  std::string decoded;
  for (int i = 0; i < 100000; ++i) {
    const std::string line = Repeat("QUJD", 10) + "R" + std::to_string(i % 10) + "hJ";
    lines += line + "\r\n";
    decoded += reference::Base64Decode(line);
  }
  for (const int failing_write : {-1, 0, 1, 3}) {
    RecordingOutput output;
    output.failing_write = failing_write;
    PayloadWriter payload(output, 0);
    for (int round = 0; round < 4; ++round)
      ASSERT_EQ(payload.TakeCleanLines(lines), lines.size());
    EXPECT_EQ(payload.Finish(), failing_write < 0) << "failing write " << failing_write;
    if (failing_write >= 0) {
      EXPECT_EQ(output.writes, failing_write + 1);
    } else {
      EXPECT_TRUE(output.bytes == decoded + decoded + decoded + decoded)
          << output.bytes.size() << " bytes";
    }
  }
}

}  // namespace
}  // namespace marrowpin
