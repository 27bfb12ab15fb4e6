#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/line_splitter.h"
#include "core/read_whole_file.h"
#include "core/stream_line_source.h"
#include "support/forwarding_file_system.h"
#include "support/golden_texts.h"
#include "support/memory_file_system.h"
#include "support/reference_rules.h"

namespace marrowpin {
namespace {

using Lines = std::vector<std::string>;

Lines Split(std::string_view bytes) {
  Lines lines;
  SplitLines(bytes, [&](std::string_view line) { lines.emplace_back(line); });
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

// Reads a note through a stream source whose chunks hold chunk_size bytes,
// from a file that gives at most read_size bytes per read; joins the slices.
struct StreamRead {
  Lines lines;
  std::size_t longest_slice = 0;
};

StreamRead ReadStreamed(const std::string& bytes, std::size_t chunk_size, std::size_t read_size) {
  testing::MemoryFileSystem files;
  files.notes["n"] = bytes;
  files.read_size = read_size;
  StreamLineSource source(chunk_size);
  source.Open("n", files, nullptr);
  StreamRead read;
  bool open = false;
  for (LineSlice slice; source.Next(slice);) {
    if (!open) read.lines.emplace_back();
    read.lines.back() += slice.text;
    read.longest_slice = std::max(read.longest_slice, slice.text.size());
    open = !slice.ends_line;
  }
  EXPECT_FALSE(open) << "the last line was left open";
  return read;
}

TEST(StreamLineSourceTest, GivesTheLinesOfTheWholeNoteWhateverTheChunks) {
  const std::vector<std::string> notes = {
      "one\r\ntwo\n\rthree\rfour\r\n",
      "a\r\r\n\n\r\nlast without end",
      std::string("ab\r\ncd\0ef\r\n", 11),
      std::string("\r\n\0", 3),
      "",
      "\r",
      "x\r\n\r\n",
      std::string(300, 'Q') + "\r\n" + std::string(70, ' ') + "\n",
  };
  for (const std::string& note : notes) {
    for (std::size_t chunk : {1, 2, 3, 5, 8, 64, 1 << 20}) {
      for (std::size_t read : {std::size_t{1}, std::size_t{7}, chunk}) {
        EXPECT_EQ(ReadStreamed(note, chunk, read).lines, reference::SplitLines(note))
            << "chunk " << chunk << ", read " << read << ", note '" << note << "'";
      }
    }
  }
}

TEST(StreamLineSourceTest, LineLongerThanTheChunkComesInSlices) {
  const std::string note = "h\r\n" + std::string(1000, 'Q') + "\r\nt";
  const StreamRead read = ReadStreamed(note, 64, 64);
  EXPECT_EQ(read.lines, (Lines{"h", std::string(1000, 'Q'), "t"}));
  EXPECT_LE(read.longest_slice, 64u);
}

TEST(StreamLineSourceTest, ReadErrorReachesTheReader) {
  testing::MemoryFileSystem files;
  files.notes["n"] = "line one\r\nline two\r\n";
  files.fail_after = 12;
  StreamLineSource source(8);
  source.Open("n", files, nullptr);
  LineSlice slice;
  EXPECT_TRUE(source.Next(slice));
  try {
    while (source.Next(slice)) {
    }
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(e.step(), FileError::Step::kRead);
  }
}

TEST(StreamLineSourceTest, OpenFailsForAMissingNoteAndStartsAfreshOnTheNext) {
  testing::MemoryFileSystem files;
  files.notes["a"] = "first\nsecond";
  files.notes["b"] = "other\n";
  StreamLineSource source(4);
  EXPECT_THROW(source.Open("absent", files, nullptr), FileError);
  source.Open("a", files, nullptr);
  LineSlice slice;
  ASSERT_TRUE(source.Next(slice));
  EXPECT_EQ(slice.text, "firs");
  source.Open("b", files, nullptr);
  ASSERT_TRUE(source.Next(slice));
  EXPECT_EQ(slice.text, "othe");
}

// The window's line buffer loads a note whole; a failure part way is a
// failure to open it, as it always was for a whole load.
TEST(ReadWholeFileTest, ReadsTheWholeNoteOrFailsAsUnopenable) {
  testing::MemoryFileSystem files;
  files.notes["n"] = std::string("line one\r\n\0after", 16);
  files.read_size = 3;
  EXPECT_EQ(ReadWholeFile(files, "n"), files.notes["n"]);
  files.fail_after = 5;
  for (const char* path : {"n", "absent"}) {
    try {
      ReadWholeFile(files, path);
      ADD_FAILURE() << "no error for " << path;
    } catch (const FileError& e) {
      EXPECT_EQ(e.step(), FileError::Step::kOpen) << path;
    }
  }
}

// A note of a given size whose memory runs out when it is read.
class HugeFileSystem final : public testing::ForwardingFileSystem {
 public:
  std::uint64_t size = 0;

  std::unique_ptr<InputFile> OpenForReading(const std::string&) override {
    return std::make_unique<HugeFile>(size);
  }

 private:
  class HugeFile final : public InputFile {
   public:
    explicit HugeFile(std::uint64_t size) : size_(size) {}
    std::size_t Read(char*, std::size_t) override { throw std::bad_alloc(); }
    std::uint64_t ExpectedSize() const override { return size_; }

   private:
    std::uint64_t size_;
  };
};

// Larger than a string can hold (as over 1 GiB is in a 32-bit program), or
// more than the memory left: the program's own error, not a crash and not a
// note read cut short.
TEST(ReadWholeFileTest, NoteTooLargeToHoldFailsWithItsOwnMessage) {
  HugeFileSystem files;
  for (const std::uint64_t size : {std::uint64_t{std::string().max_size()} + 1, std::uint64_t{0}}) {
    files.size = size;
    try {
      ReadWholeFile(files, "huge.vnt");
      ADD_FAILURE() << "no error for " << size;
    } catch (const FileError& e) {
      EXPECT_EQ(e.step(), FileError::Step::kHold) << size;
    }
  }
}

}  // namespace
}  // namespace marrowpin
