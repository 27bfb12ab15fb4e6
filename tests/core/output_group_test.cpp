#include "core/output_group.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/memory_file_system.h"

namespace marrowpin {
namespace {

using testing::MemoryFileSystem;

// An output that writes each step it takes into a shared log, and fails
// the step named `failing`.
class LoggedOutput final : public OutputFile {
 public:
  LoggedOutput(std::string name, std::optional<FileId> folder, std::vector<std::string>& log,
               std::string failing = "")
      : name_(std::move(name)), folder_(folder), log_(log), failing_(std::move(failing)) {}
  ~LoggedOutput() override { log_.push_back("closed " + name_); }

  bool Write(const void*, std::size_t) override { return true; }
  bool TruncateTo(std::uint64_t) override { return true; }
  bool FinishWriting() override { return Step("finish"); }
  bool MakeDurable() override { return Step("durable"); }
  bool Commit() override { return Step("name"); }
  bool MakeNameDurable() override { return Step("name durable"); }
  std::optional<FileId> FolderId() const override { return folder_; }
  std::string FailureReason() const override { return "no " + failing_; }

 private:
  bool Step(const std::string& step) {
    log_.push_back(step + " " + name_);
    return step != failing_;
  }

  std::string name_;
  std::optional<FileId> folder_;
  std::vector<std::string>& log_;
  std::string failing_;
};

class OutputGroupTest : public ::testing::Test {
 protected:
  OutputGroupTest() {
    files_.folders = {"out/", "other/"};
    files_.placed_together = 3;
  }
  // Adds the output at path, of `size` bytes, made from "<name>.vnt".
  void Add(OutputGroup& group, const std::string& path, std::uint64_t size = 1,
           const std::string& failing = "") {
    const std::string name(FileNamePart(path, PathStyle::kPosix));
    const std::optional<FileId> folder =
        files_.FileIdAt(std::string(FolderWithSeparator(path, PathStyle::kPosix)));
    group.Add(name + ".vnt", path, std::make_unique<LoggedOutput>(name, folder, log_, failing),
              size);
  }
  OutputGroup::Told Tell() {
    return [this](const OutputGroup::Outcome& done) {
      log_.push_back("told " + done.source_path + " -> " + done.output_path +
                     (done.placed ? "" : " failed: " + done.reason));
    };
  }

  MemoryFileSystem files_;
  std::vector<std::string> log_;
};

// Every output takes each step before any takes the next, so that one flush
// serves them all; an output whose step fails takes no more steps and is
// told with its reason; files are closed before anyone is told.
TEST_F(OutputGroupTest, OutputsTakeEachStepTogetherAndAreToldInOrder) {
  OutputGroup group(files_, PathStyle::kPosix, Tell());
  Add(group, "out/a");
  Add(group, "out/b", 1, "durable");
  EXPECT_TRUE(log_.empty()) << "nothing happens before the group ends";
  group.End();
  EXPECT_EQ(log_, (std::vector<std::string>{"finish a", "finish b", "durable a", "durable b",
                                            "name a", "name durable a", "closed a", "closed b",
                                            "told a.vnt -> out/a",
                                            "told b.vnt -> out/b failed: no durable"}));
  log_.clear();
  group.End();
  EXPECT_TRUE(log_.empty()) << "an empty group does nothing";
}

// A group ends once it holds its number of outputs or its bytes, whichever
// comes first.
TEST_F(OutputGroupTest, GroupEndsAtItsLimits) {
  const struct {
    std::vector<std::uint64_t> sizes;
    std::size_t told_after_last;
  } cases[] = {
      {{1, 1}, 0},
      {{1, 1, 1}, 3},
      {{OutputGroup::kMaxBytes - 1}, 0},
      {{OutputGroup::kMaxBytes - 1, 1}, 2},
      {{OutputGroup::kMaxBytes}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.sizes));
    std::size_t told = 0;
    OutputGroup group(files_, PathStyle::kPosix, [&](const OutputGroup::Outcome&) { ++told; });
    for (std::size_t i = 0; i < c.sizes.size(); ++i) {
      Add(group, "out/" + std::to_string(i), c.sizes[i]);
    }
    EXPECT_EQ(told, c.told_after_last);
  }
  // One output at a time where the file system places them one by one.
  files_.placed_together = 1;
  std::size_t told = 0;
  OutputGroup group(files_, PathStyle::kPosix, [&](const OutputGroup::Outcome&) { ++told; });
  Add(group, "out/a");
  EXPECT_EQ(told, 1u);
}

// A path that a waiting output is to take ends the group before it is
// looked at: the same name in the same folder, whatever its ASCII case, or
// in a folder that tells no identity.
TEST_F(OutputGroupTest, PathThatAnOutputWaitsForEndsTheGroup) {
  const struct {
    const char* path;
    bool ends;
  } cases[] = {
      {"out/pic.bmp", true},    {"out/PIC.BMP", true},   {"unknown/pic.bmp", true},
      {"other/pic.bmp", false}, {"out/pic.bmp2", false}, {"out/picture.bmp", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    log_.clear();
    OutputGroup group(files_, PathStyle::kPosix, Tell());
    Add(group, "out/pic.bmp");
    group.EndIfWaitingAt(c.path);
    EXPECT_EQ(!log_.empty(), c.ends);
  }
}

// Outputs still waiting when the group goes are dropped untold, never named.
TEST_F(OutputGroupTest, DroppedGroupNamesNothing) {
  {
    OutputGroup group(files_, PathStyle::kPosix, Tell());
    Add(group, "out/a");
  }
  EXPECT_EQ(log_, std::vector<std::string>{"closed a"});
}

}  // namespace
}  // namespace marrowpin
