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

// Outputs of one run on one file system take their steps as a group does:
// one flush makes the bytes of all durable, one more their names. An output
// written after a flush is not served by it.
TEST_F(DiskFlushesTest, OutputsOnOneFileSystemShareTheirFlushes) {
  const Descriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!DiskFlushes::ServeWholeFileSystem(folder.get())) {
    GTEST_SKIP() << "TMPDIR is on a file system whose outputs are flushed one by one";
  }
  const std::uint64_t device = LookAt(folder.get())->id.device;
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporary files" : "unnamed files");
    DiskFlushes flushes;
    CreationFailure failure;
    std::vector<std::unique_ptr<OutputFile>> outputs;
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) {
      const std::string at = folder_.string() + "/";
      outputs.push_back(named ? StartNamedStagedOutput(at, name, &failure, flushes)
                              : StartStagedOutput(at, name, &failure, flushes));
      ASSERT_TRUE(outputs.back()) << failure.reason;
      ASSERT_TRUE(outputs.back()->Write(name, 1));
    }
    for (const auto& output : outputs)
      ASSERT_TRUE(output->FinishWriting());
    for (const auto& output : outputs)
      ASSERT_TRUE(output->MakeDurable());
    EXPECT_EQ(flushes.Count(device), 1u);
    // A byte written since is flushed again.
    ASSERT_TRUE(outputs[2]->Write("!", 1));
    ASSERT_TRUE(outputs[2]->MakeDurable());
    EXPECT_EQ(flushes.Count(device), 2u);
    for (const auto& output : outputs)
      ASSERT_TRUE(output->Commit());
    for (const auto& output : outputs)
      ASSERT_TRUE(output->MakeNameDurable());
    EXPECT_EQ(flushes.Count(device), 3u);
    outputs.clear();
    EXPECT_EQ(ReadFile(folder_ / "a.bin"), "a");
    EXPECT_EQ(ReadFile(folder_ / "c.bin"), "c!");
    for (const char* name : {"a.bin", "b.bin", "c.bin"})
      fs::remove(folder_ / name);
  }
}

}  // namespace
}  // namespace marrowpin
