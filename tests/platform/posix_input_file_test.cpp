#include "platform/posix/posix_input_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "core/error.h"

namespace marrowpin {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

// A FIFO in a fresh folder of its own, opened as the file services open a
// note: for reading, without blocking.
class FifoReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string folder = (fs::temp_directory_path() / "marrowpin-fifo-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    folder_ = folder;
    ASSERT_EQ(::mkfifo(Fifo().c_str(), 0600), 0);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Fifo() const { return folder_ / "note.vnt"; }
  std::unique_ptr<InputFile> Open(milliseconds writer_wait) const {
    const int fd = ::open(Fifo().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    return ReadFromDescriptor(fd, 0, writer_wait);
  }
  static std::string ReadAll(InputFile& file) {
    std::string bytes;
    char chunk[4];
    for (std::size_t got; (got = file.Read(chunk, sizeof chunk)) > 0;)
      bytes.append(chunk, got);
    return bytes;
  }

  fs::path folder_;
};

// Once a writer has come, reads wait for its data to the end, however long it
// pauses; one that writes nothing is an empty note.
TEST_F(FifoReadTest, IsReadToItsEndWhateverItsWriterDoes) {
  const auto pause = [](int ms) { std::this_thread::sleep_for(milliseconds(ms)); };
  const struct {
    const char* what;
    std::function<void(const fs::path&)> writer;
    std::string read;
  } cases[] = {
      {"a late writer",
       [&](const fs::path& fifo) {
         pause(200);
         std::ofstream(fifo, std::ios::binary) << "late note";
       },
       "late note"},
      {"a slow writer",
       [&](const fs::path& fifo) {
         std::ofstream out(fifo, std::ios::binary);
         out << "first half, " << std::flush;
         pause(300);
         out << "second half";
       },
       "first half, second half"},
      {"a writer that writes nothing",
       [&](const fs::path& fifo) {
         pause(100);
         std::ofstream out(fifo, std::ios::binary);
       },
       ""},
  };
  for (const auto& c : cases) {
    const std::unique_ptr<InputFile> file = Open(milliseconds(5000));
    std::thread writer(c.writer, Fifo());
    std::string read;
    try {
      read = ReadAll(*file);
    } catch (const FileError& e) {
      read = "(read failed: " + e.reason() + ")";
    }
    writer.join();
    EXPECT_EQ(read, c.read) << c.what;
  }
}

// Without a writer the first read fails once the wait is over, and says why.
TEST_F(FifoReadTest, FailsWhenNoWriterComesWithinTheWait) {
  const std::unique_ptr<InputFile> file = Open(milliseconds(300));
  const auto start = std::chrono::steady_clock::now();
  char byte;
  try {
    file->Read(&byte, 1);
    ADD_FAILURE() << "read without a writer";
  } catch (const FileError& e) {
    EXPECT_EQ(e.step(), FileError::Step::kRead);
    EXPECT_EQ(e.reason(), "no program opened the pipe for writing within 300 ms");
  }
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(300));
}

}  // namespace
}  // namespace marrowpin
