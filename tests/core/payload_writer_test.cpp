#include "core/payload_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/repeat.h"

namespace marrowpin {
namespace {

using testing::Repeat;

// Keeps the bytes written and records every cut.
class RecordingOutput final : public OutputFile {
 public:
  std::string bytes;
  std::vector<std::uint64_t> cuts;

  bool Write(const void* data, std::size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
    return true;
  }
  bool TruncateTo(std::uint64_t size) override {
    cuts.push_back(size);
    bytes.resize(size);
    return true;
  }
  bool Commit() override { return true; }
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

}  // namespace
}  // namespace marrowpin
