#include "cli/run.h"

#include <gtest/gtest.h>

#include <stdio.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/golden_texts.h"
#include "support/memory_file_system.h"

namespace marrowpin::cli {
namespace {

using testing::MemoryFileSystem;

// What a run printed and returned.
struct Outcome {
  int status;
  std::string output;
  std::string error;
};

// A stream written into memory.
class MemoryStream {
 public:
  MemoryStream() : stream_(open_memstream(&bytes_, &size_)) {}
  ~MemoryStream() {
    std::fclose(stream_);
    std::free(bytes_);
  }
  std::FILE* get() const { return stream_; }
  std::string Text() {
    std::fflush(stream_);
    return std::string(bytes_, size_);
  }

 private:
  char* bytes_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
};

// Runs the program on files whose standard output goes to "run.log" and
// standard error to "err.log", under a Japanese UTF-8 locale.
Outcome RunOn(MemoryFileSystem& files, const std::vector<std::string>& arguments) {
  MemoryStream output;
  MemoryStream error;
  const ConsoleStreams streams{nullptr,
                               output.get(),
                               error.get(),
                               std::nullopt,
                               files.FileIdAt("run.log"),
                               files.FileIdAt("err.log")};
  const ConsoleEnvironment environment{
      [](const char* name) { return std::string_view(name) == "LANG" ? "ja_JP.UTF-8" : nullptr; },
      "UTF-8", ""};
  const int status = Run(arguments, files, streams, environment);
  return Outcome{status, output.Text(), error.Text()};
}

std::string Note(const std::string& output_name) {
  return "-FILENAME:" + output_name + "\nBASE64:QUJD\n";
}

const std::string kHint = "Try 'marrowpin-cli --help' for more information.\n";

TEST(RunTest, OptionsAreParsedAsGetoptDoes) {
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string output;  // "" for a usage error
    std::string error;
  } cases[] = {
      // Bundled short options, a value joined to its option, "--".
      {{"-qd", "out", "a.vnt"}, 0, "変換終了!!\n", ""},
      {{"-dout", "a.vnt"}, 0, "a.vnt -> out/one.bin\n変換終了!!\n", ""},
      {{"--output-dir=out", "--quiet", "a.vnt"}, 0, "変換終了!!\n", ""},
      {{"-q", "--", "-d"}, 0, "変換終了!!\n", ""},
      {{"a.vnt", "-q", "-d", "out"}, 0, "変換終了!!\n", ""},
      // Usage errors: one line, the hint, status 2.
      {{}, 2, "", "marrowpin-cli: no FILE given\n" + kHint},
      {{"--bogus=1", "a.vnt"}, 2, "", "marrowpin-cli: unknown option --bogus\n" + kHint},
      {{"-qx", "a.vnt"}, 2, "", "marrowpin-cli: unknown option -x\n" + kHint},
      {{"a.vnt", "-qd"}, 2, "", "marrowpin-cli: -d needs a value\n" + kHint},
      {{"a.vnt", "--output-dir"}, 2, "", "marrowpin-cli: --output-dir needs a value\n" + kHint},
      {{"a.vnt", "--name"}, 2, "", "marrowpin-cli: --name needs a value\n" + kHint},
      {{"-d", "", "a.vnt"}, 2, "", "marrowpin-cli: the output folder is empty\n" + kHint},
      {{"--name", "sub/..", "a.vnt"},
       2,
       "",
       "marrowpin-cli: the name sub/.. names no file\n" + kHint},
      {{"--name=", "a.vnt"}, 2, "", "marrowpin-cli: the name '' names no file\n" + kHint},
      {{"-", "a.vnt", "-"},
       2,
       "",
       "marrowpin-cli: standard input (-) given more than once\n" + kHint},
      // A -d that is no folder is said once, before any FILE.
      {{"-d", "a.vnt", "a.vnt"},
       2,
       "",
       "marrowpin-cli: cannot use the output folder a.vnt (a file)\n"},
      {{"-d", "gone", "a.vnt"},
       2,
       "",
       "marrowpin-cli: cannot use the output folder gone (nothing there)\n"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.notes["a.vnt"] = Note("one.bin");
    files.notes["-d"] = Note("d.bin");
    files.folders.insert("out");
    const Outcome outcome = RunOn(files, c.arguments);
    const std::string shown = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(outcome.status, c.status) << shown;
    EXPECT_EQ(outcome.output, c.output) << shown;
    EXPECT_EQ(outcome.error, c.error) << shown;
  }
}

// No output replaces a FILE of the run (also one given through a link, and
// the link itself), an output the run has written, or the file standard
// output or error goes to, even with --overwrite.
TEST(RunTest, OutputsNeverReplaceTheFilesOfTheirOwnRun) {
  const std::string run_file = std::string(golden::kOutputIsRunFile);
  const struct {
    const char* output_name;
    std::string error;
  } cases[] = {
      {"real.vnt", "a.vnt: " + run_file + "\n"},
      {"link.vnt", "a.vnt: " + run_file + "\n"},
      {"b.bin", "a.vnt: " + std::string(golden::kOutputWrittenThisRun) + "\n"},
      {"run.log", "a.vnt: " + std::string(golden::kOutputIsStandardStream) + "\n"},
      {"err.log", "a.vnt: " + std::string(golden::kOutputIsStandardStream) + "\n"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.notes["b.vnt"] = Note("b.bin");
    files.notes["a.vnt"] = Note(c.output_name);
    files.notes["real.vnt"] = Note("r.bin");
    files.links["link.vnt"] = "real.vnt";
    files.notes["run.log"] = "log";
    files.notes["err.log"] = "log";
    const auto before = files.notes;
    const Outcome outcome = RunOn(files, {"--overwrite", "b.vnt", "a.vnt", "link.vnt"});
    EXPECT_EQ(outcome.status, 1) << c.output_name;
    EXPECT_EQ(outcome.error, c.error) << c.output_name;
    EXPECT_EQ(outcome.output,
              "b.vnt -> b.bin\nlink.vnt -> r.bin\n" + std::string(golden::kSomeFailed) + "\n")
        << c.output_name;
    for (const auto& [path, bytes] : before)
      EXPECT_EQ(files.notes[path], bytes) << path;
    EXPECT_EQ(files.links.count("link.vnt"), 1u) << c.output_name;
  }
}

// A missing FILE fails with the file system's reason and the others convert;
// a failed output names itself after the text.
TEST(RunTest, FailuresNameTheFileOnceAndGiveTheReason) {
  MemoryFileSystem files;
  files.notes["a.vnt"] = Note("one.bin");
  files.notes["b.vnt"] = Note("sub");
  files.folders.insert("sub");
  files.folders.insert("dir.vnt");
  const Outcome outcome = RunOn(files, {"missing.vnt", "a.vnt", "dir.vnt", "--overwrite", "b.vnt"});
  EXPECT_EQ(outcome.status, 1);
  const std::string cannot_open(golden::kConsoleCannotOpenFile);
  EXPECT_EQ(outcome.error, "missing.vnt: " + cannot_open + " (nothing there)\n" +
                               "dir.vnt: " + cannot_open + " (a folder)\n" +
                               "b.vnt: " + std::string(golden::kCannotCreateFile) + ": sub\n");
  EXPECT_EQ(outcome.output, "a.vnt -> one.bin\n" + std::string(golden::kSomeFailed) + "\n");
  EXPECT_EQ(files.notes["one.bin"], "ABC");
}

// Outputs wait to take their names together, yet a FILE after them sees
// them as if each were in place at once: one that is such an output is
// read, and one whose output has the same name asks for another.
TEST(RunTest, OutputsWaitingToBePlacedAreSeenByTheFilesAfterThem) {
  MemoryFileSystem files;
  files.placed_together = 64;
  files.notes["first.vnt"] = Note("first.bin");
  // Its payload is a note itself: "-FILENAME:inner.bin\nBASE64:QUJD\n".
  files.notes["a.vnt"] =
      "-FILENAME:made.vnt\nBASE64:LUZJTEVOQU1FOmlubmVyLmJpbgpCQVNFNjQ6UVVKRAo=\n";
  files.notes["b.vnt"] = Note("made.vnt");
  files.notes["c.vnt"] = Note("c.bin");
  files.notes["d.vnt"] = Note("c.bin");
  const Outcome outcome =
      RunOn(files, {"first.vnt", "a.vnt", "made.vnt", "b.vnt", "c.vnt", "d.vnt"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.output,
            "first.vnt -> first.bin\na.vnt -> made.vnt\nmade.vnt -> inner.bin\nc.vnt -> c.bin\n" +
                std::string(golden::kSomeFailed) + "\n");
  const std::string written_before(golden::kOutputWrittenThisRun);
  EXPECT_EQ(outcome.error, "b.vnt: " + written_before + "\nd.vnt: " + written_before + "\n");
  EXPECT_EQ(files.notes["inner.bin"], "ABC");
}

}  // namespace
}  // namespace marrowpin::cli
