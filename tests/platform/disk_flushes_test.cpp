#include "platform/posix/disk_flushes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/posix/descriptor.h"
#include "platform/posix/file_identity.h"
#include "platform/staged_output_file.h"
#include "support/conversion_fixture.h"

namespace marrowpin {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

class DiskFlushesTest : public testing::ConversionFixture {};

// Outputs of one run on one file system take their steps as a group does.
// Where enough of them wait, one flush of the whole file system makes the
// bytes of all durable, one more their names; an output written after a
// flush is not served by it, and one alone is flushed on its own. A few
// outputs are each flushed on their own, as a flush of the whole would
// write out what others left unwritten too.
TEST_F(DiskFlushesTest, ManyOutputsOnOneFileSystemShareTheirFlushes) {
  const Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!DiskFlushes::ServeWholeFileSystem(folder.get())) {
    GTEST_SKIP() << "TMPDIR is on a file system whose outputs are flushed one by one";
  }
  const std::uint64_t device = LookAt(folder.get())->id.device;
  struct Case {
    bool named;
    int outputs;
    std::uint64_t flushes_for_bytes, flushes_in_all;
  };
  const int many = DiskFlushes::kOutputsWorthAWholeFlush;
  for (const Case& test : {Case{false, many, 1, 2}, Case{true, many, 1, 2}, Case{false, 3, 0, 0},
                           Case{true, many - 1, 0, 0}}) {
    SCOPED_TRACE(std::string(test.named ? "named" : "unnamed") +
                 " files: " + std::to_string(test.outputs));
    DiskFlushes flushes;
    CreationFailure failure;
    std::vector<std::unique_ptr<OutputFile>> outputs;
    std::vector<std::string> names;
    for (int i = 0; i < test.outputs; ++i) {
      names.push_back(std::to_string(i) + ".bin");
      const std::string at = folder_.string() + "/";
      outputs.push_back(
          StartStagedOutput(at, names.back(), &failure, flushes, {.unnamed_files = test.named}));
      ASSERT_TRUE(outputs.back()) << failure.reason;
      ASSERT_TRUE(outputs.back()->Write(names.back().data(), 1));
    }
    for (const auto& output : outputs)
      ASSERT_TRUE(output->FinishWriting());
    for (const auto& output : outputs)
      ASSERT_TRUE(output->MakeDurable());
    EXPECT_EQ(flushes.Count(device), test.flushes_for_bytes);
    // A byte written since is flushed again, on its own.
    ASSERT_TRUE(outputs[2]->Write("!", 1));
    ASSERT_TRUE(outputs[2]->MakeDurable());
    EXPECT_EQ(flushes.Count(device), test.flushes_for_bytes);
    for (const auto& output : outputs)
      ASSERT_TRUE(output->Commit());
    for (const auto& output : outputs)
      ASSERT_TRUE(output->MakeNameDurable());
    EXPECT_EQ(flushes.Count(device), test.flushes_in_all);
    outputs.clear();
    EXPECT_EQ(ReadFile(folder_ / "0.bin"), "0");
    EXPECT_EQ(ReadFile(folder_ / "2.bin"), "2!");
    for (const std::string& name : names)
      fs::remove(folder_ / name);
  }
}

}  // namespace
}  // namespace marrowpin
