#include "core/convert_file.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/messages.h"
#include "platform/native_file_system.h"
#include "platform/removal_on_interrupt.h"
#include "support/conversion_fixture.h"
#include "support/fake_prompts.h"
#include "support/forwarding_file_system.h"
#include "support/golden_texts.h"

namespace marrowpin {
namespace {

namespace fs = std::filesystem;
using testing::Asked;
using testing::FakePrompts;
using testing::Message;
using testing::ReadFile;
using testing::WriteFile;

// Where writing an output fails.
enum class OutputFailure {
  kNone,
  kWrite,   // the disk is full once `capacity` bytes are written
  kCommit,  // closing fails (a full disk often shows only there)
  kRename,  // putting it in place fails: a folder has appeared at its path
};

// Native files whose outputs run a step of the test's own as they are about
// to start, at their first write and before they are put in place, and fail
// at the step the test chooses.
class SteppedOutputFileSystem final : public testing::ForwardingFileSystem {
 public:
  std::function<void()> before_start = [] {};
  std::function<void()> at_first_write = [] {};
  std::function<void()> before_commit = [] {};
  OutputFailure failure = OutputFailure::kNone;
  std::size_t capacity = 0;

  std::unique_ptr<OutputFile> CreateForWriting(const std::string& folder,
                                               const std::string& name) override {
    before_start();
    std::unique_ptr<OutputFile> file = StartOutput(folder, name);
    return file ? std::make_unique<SteppedFile>(std::move(file), *this, folder + name) : nullptr;
  }

 private:
  class SteppedFile final : public OutputFile {
   public:
    SteppedFile(std::unique_ptr<OutputFile> file, const SteppedOutputFileSystem& files,
                std::string path)
        : file_(std::move(file)),
          files_(files),
          failure_(files.failure),
          room_(failure_ == OutputFailure::kWrite ? files.capacity : SIZE_MAX),
          path_(std::move(path)) {}
    bool Write(const void* data, std::size_t size) override {
      if (!written_) files_.at_first_write();
      written_ = true;
      const std::size_t written = std::min(size, room_);
      room_ -= written;
      return file_->Write(data, written) && written == size;
    }
    bool TruncateTo(std::uint64_t size) override { return file_->TruncateTo(size); }
    bool Commit() override {
      files_.before_commit();
      if (failure_ == OutputFailure::kCommit) return false;
      if (failure_ == OutputFailure::kRename) {
        fs::remove(path_);
        fs::create_directories(path_ + "/in the way");
      }
      return file_->Commit();
    }
    bool FinishWriting() override { return file_->FinishWriting(); }
    bool MakeDurable() override { return file_->MakeDurable(); }
    bool MakeNameDurable() override { return file_->MakeNameDurable(); }
    std::optional<FileId> FolderId() const override { return file_->FolderId(); }
    std::string FailureReason() const override { return file_->FailureReason(); }
    std::optional<Entry> EntryAtName() const override { return file_->EntryAtName(); }

   private:
    std::unique_ptr<OutputFile> file_;
    const SteppedOutputFileSystem& files_;
    OutputFailure failure_;
    std::size_t room_;
    std::string path_;
    bool written_ = false;
  };
};

class ThrowingFileSystem final : public testing::ForwardingFileSystem {
 public:
  FileError::Step step = FileError::Step::kOpen;

  bool FileExists(const std::string&) override { return true; }
  std::unique_ptr<InputFile> OpenForReading(const std::string&) override {
    throw FileError(step, "denied");
  }
  std::unique_ptr<OutputFile> CreateForWriting(const std::string&, const std::string&) override {
    ADD_FAILURE() << "must not create output";
    return nullptr;
  }
};

// Native files whose reading fails once `readable` bytes have been read,
// like a disk that fails part way through a note.
class FailingReadFileSystem final : public testing::ForwardingFileSystem {
 public:
  std::size_t readable = 0;

  std::unique_ptr<InputFile> OpenForReading(const std::string& path) override {
    return std::make_unique<FailingFile>(native_.OpenForReading(path), readable, path);
  }

 private:
  class FailingFile final : public InputFile {
   public:
    FailingFile(std::unique_ptr<InputFile> file, std::size_t readable, std::string path)
        : file_(std::move(file)), left_(readable), path_(std::move(path)) {}
    std::size_t Read(char* into, std::size_t size) override {
      if (left_ == 0) throw FileError(FileError::Step::kRead);
      const std::size_t got = file_->Read(into, std::min(size, left_));
      left_ -= got;
      return got;
    }
    std::uint64_t ExpectedSize() const override { return file_->ExpectedSize(); }

   private:
    std::unique_ptr<InputFile> file_;
    std::size_t left_;
    std::string path_;
  };
};

// The 66-byte header of an RGB565 bitmap of the given size, written out: its
// file size field says 38082 whatever the size.
std::string Header(std::int32_t width, std::int32_t height) {
  std::string bytes = std::string("BM\xC2\x94\0\0\0\0\0\0\x42\0\0\0", 14) +
                      std::string("\x28\0\0\0WWWWHHHH\1\0\x10\0\3\0\0\0", 20) +
                      std::string(20, '\0') + std::string("\0\xF8\0\0\xE0\x07\0\0\x1F\0\0\0", 12);
  for (int i = 0; i < 4; ++i) {
    bytes[18 + i] = static_cast<char>(static_cast<std::uint32_t>(width) >> 8 * i);
    bytes[22 + i] = static_cast<char>(static_cast<std::uint32_t>(height) >> 8 * i);
  }
  return bytes;
}

// The permission bits of the entry at path, with set-id and sticky bits.
mode_t PermissionsOf(const fs::path& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class ConvertFileTest : public testing::ConversionFixture {
 protected:
  bool Convert(const fs::path& source, FileSystem& files) {
    return ConversionFixture::Convert(source, prompts_, files);
  }
  bool Convert(const fs::path& source) { return Convert(source, native_); }
  std::string NameDialog(const std::string& source_name, bool hint = false) const {
    return "name dialog: " + golden::NameDialogTitle(source_name, hint) + " in " +
           folder_.string() + "/";
  }

  FakePrompts prompts_;
};

// The cases that hold however the file system lets outputs be staged, run
// once for each way.
class StagedConvertFileTest : public ConvertFileTest,
                              public ::testing::WithParamInterface<testing::Staging> {};

INSTANTIATE_TEST_SUITE_P(EveryStaging, StagedConvertFileTest,
                         ::testing::ValuesIn(testing::kStagings),
                         [](const ::testing::TestParamInfo<testing::Staging>& info) {
                           return std::string(info.param.name);
                         });

const std::string kOverwriteQuestion = Asked(golden::kOverwriteCaption, golden::kOverwriteQuestion);
const std::string kBitmapQuestion =
    Asked(golden::kAddBitmapHeaderCaption, golden::kAddBitmapHeaderQuestion);

// --- the payload (its rules: streaming_conversion_test, payload_writer_test) --

TEST_F(ConvertFileTest, WritesTheNamedOutputBesideTheSource) {
  EXPECT_TRUE(Convert(Source("-FILENAME:pic.bmp\r\nBASE64:QUJD\r\nEND:VNOTE\r\n")));
  EXPECT_EQ(ReadFile(folder_ / "pic.bmp"), "ABC");
  EXPECT_TRUE(prompts_.shown.empty());
}

// --- the header --------------------------------------------------------------

TEST_F(ConvertFileTest, PayloadLineFoundAnywhereAndMayNameTheOutput) {
  // Both values are the text after the line's first ":".
  EXPECT_TRUE(Convert(Source("BEGIN:VNOTE\nx\ny\nx-FILENAME BASE64:QUJD")));
  EXPECT_EQ(ReadFile(folder_ / "QUJD"), "ABC");
}

TEST_F(ConvertFileTest, LastFileNameWinsAndIsUsedUnchanged) {
  EXPECT_TRUE(Convert(Source("-FILENAME:a\n-FILENAME: b\nBASE64:QUJD\n")));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{" b", "note.vnt"}));
}

TEST_F(ConvertFileTest, FileWithoutPayloadIsNotConvertible) {
  EXPECT_FALSE(Convert(Source("-FILENAME:p\nbase64:QUJD\n")));
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{Message(golden::NotConvertible("note.vnt"))});
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"note.vnt"});
}

TEST_F(ConvertFileTest, MissingSourceFailsSilently) {
  EXPECT_FALSE(Convert(folder_ / "absent.vnt"));
  EXPECT_FALSE(Convert(folder_));  // a folder is no file
  EXPECT_TRUE(prompts_.shown.empty());
}

// What() and the reason of the error that fn raises, or a note that it
// raised none.
template <typename Fn>
std::string ErrorRaisedBy(Fn&& fn) {
  try {
    fn();
  } catch (const Error& e) {
    return std::string(e.what()) + " (" + e.reason() + ")";
  }
  return "(no error)";
}

TEST_F(ConvertFileTest, UnopenableSourceRaisesTheLoadErrorUncaught) {
  ThrowingFileSystem files;
  EXPECT_EQ(ErrorRaisedBy([&] { Convert("/x/locked.vnt", files); }),
            golden::CannotOpenFile("/x/locked.vnt") + " (denied)");
  files.step = FileError::Step::kHold;
  EXPECT_EQ(ErrorRaisedBy([&] { Convert("/x/huge.vnt", files); }),
            golden::FileTooLarge("/x/huge.vnt") + " (denied)");
}

TEST_F(ConvertFileTest, ReadErrorInTheNoteFailsWithItsOwnMessage) {
  FailingReadFileSystem files;
  const std::string note = "-FILENAME:p\nBASE64:QUJD\nREVG\nR0hJ\n";
  const fs::path source = Source(note);
  const std::string read_error = Message(golden::CannotReadFile(source.string()));
  // In the header: no question, no output.
  files.readable = 5;
  EXPECT_FALSE(Convert(source, files));
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{read_error});
  EXPECT_FALSE(fs::exists(folder_ / "p"));
  // In the payload: no output, not even a part of one.
  prompts_.shown.clear();
  files.readable = note.find("REVG");
  EXPECT_FALSE(Convert(source, files));
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{read_error});
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"note.vnt"});
}

// --- asking for a name ---------------------------------------------------------

TEST_F(ConvertFileTest, NoNameAsksForOneThenOffersABitmapHeader) {
  prompts_.file_name_answers = {" /somewhere/else/raw.bmp \t"};
  prompts_.yes_no_answers = {true};
  EXPECT_TRUE(Convert(Source("-BMPTYPE:4\n-WIDTH:132\n-HEIGHT:144\nBASE64:QUJD\n")));
  EXPECT_EQ(prompts_.shown,
            (std::vector<std::string>{NameDialog("note.vnt", true), kBitmapQuestion}));
  EXPECT_EQ(prompts_.name_requests, std::vector<NameReason>{NameReason::kNoteNamesNone});
  // Only the chosen name counts: the output goes beside the source.
  EXPECT_EQ(ReadFile(folder_ / "raw.bmp"), Header(132, 144) + "ABC");
}

TEST_F(ConvertFileTest, BitmapHeaderCarriesEachFilesDimensions) {
  prompts_.file_name_answers = {"one.bmp", "two.bmp"};
  prompts_.yes_no_answers = {true, true};
  EXPECT_TRUE(Convert(Source("-WIDTH:240\n-HEIGHT:-1\nBASE64:QUJD\n", "1.vnt")));
  EXPECT_TRUE(Convert(Source("-WIDTH:$10\n-HEIGHT:20\nBASE64:QUJD\n", "2.vnt")));
  EXPECT_EQ(ReadFile(folder_ / "one.bmp"), Header(240, -1) + "ABC");
  EXPECT_EQ(ReadFile(folder_ / "two.bmp"), Header(16, 20) + "ABC");
}

TEST_F(ConvertFileTest, NoBitmapQuestionWithoutBothDimensions) {
  prompts_.file_name_answers = {"a.bin", "b.bin"};
  EXPECT_TRUE(Convert(Source("-HEIGHT:144\nBASE64:QUJD\n", "1.vnt")));
  EXPECT_TRUE(Convert(Source("-WIDTH:0x\n-HEIGHT:144\nBASE64:QUJD\n", "2.vnt")));
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{NameDialog("1.vnt"), NameDialog("2.vnt")}));
  EXPECT_EQ(ReadFile(folder_ / "a.bin"), "ABC");
}

TEST_F(ConvertFileTest, NamedOutputGetsNoHeaderEvenWithDimensions) {
  EXPECT_TRUE(Convert(Source("-FILENAME:p.bmp\n-WIDTH:132\n-HEIGHT:144\nBASE64:QUJD\n")));
  EXPECT_EQ(ReadFile(folder_ / "p.bmp"), "ABC");
  EXPECT_TRUE(prompts_.shown.empty());
}

TEST_F(ConvertFileTest, CancelledOrBlankNameConvertsNothing) {
  prompts_.file_name_answers = {std::nullopt, " \t "};
  EXPECT_FALSE(Convert(Source("BASE64:QUJD\n")));
  EXPECT_FALSE(Convert(Source("BASE64:QUJD\n")));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"note.vnt"});
}

// A chosen path that names a folder and no file asks again, for the same
// reason.
TEST_F(ConvertFileTest, ChosenPathWithoutAFileNameAsksAgain) {
  prompts_.file_name_answers = {"sub/", "p.bin"};
  EXPECT_TRUE(Convert(Source("BASE64:QUJD\n")));
  EXPECT_EQ(prompts_.name_requests,
            (std::vector<NameReason>{NameReason::kNoteNamesNone, NameReason::kNoteNamesNone}));
  EXPECT_EQ(ReadFile(folder_ / "p.bin"), "ABC");
}

// --- overwriting ----------------------------------------------------------------

TEST_F(ConvertFileTest, NoToOverwriteAsksForANameThenCancelLeavesTheFileAlone) {
  WriteFile(folder_ / "p.bmp", "old contents");
  prompts_.yes_no_answers = {false, true};
  prompts_.file_name_answers = {std::nullopt};
  EXPECT_FALSE(Convert(Source("-FILENAME:p.bmp\n-WIDTH:1\n-HEIGHT:2\nBASE64:QUJD\n")));
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{kOverwriteQuestion, NameDialog("note.vnt")}));
  EXPECT_EQ(ReadFile(folder_ / "p.bmp"), "old contents");
}

TEST_F(ConvertFileTest, NoToOverwriteThenAnotherExistingNameThenYes) {
  WriteFile(folder_ / "p.bmp", "first");
  WriteFile(folder_ / "q.bmp", "second");
  prompts_.yes_no_answers = {false, false, true, true};
  prompts_.file_name_answers = {"q.bmp"};
  EXPECT_TRUE(Convert(Source("-FILENAME:p.bmp\n-WIDTH:1\n-HEIGHT:2\nBASE64:QUJD\n")));
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{kOverwriteQuestion, NameDialog("note.vnt"),
                                                      kBitmapQuestion, kOverwriteQuestion}));
  EXPECT_EQ(prompts_.name_requests, std::vector<NameReason>{NameReason::kOutputExists});
  EXPECT_EQ(ReadFile(folder_ / "p.bmp"), "first");
  EXPECT_EQ(ReadFile(folder_ / "q.bmp"), "ABC");
}

// --- where the output may go -----------------------------------------------------

TEST_F(ConvertFileTest, SubfolderInTheNameWorksOnlyWhenItExists) {
  EXPECT_FALSE(Convert(Source("-FILENAME:sub/p\nBASE64:QUJD\n")));
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{Message(golden::kCannotCreateFile)});
  EXPECT_EQ(prompts_.failure_reasons, std::vector<std::string>{"No such file or directory"});
  fs::create_directory(folder_ / "sub");
  EXPECT_TRUE(Convert(Source("-FILENAME:sub/p\nBASE64:QUJD\n")));
  EXPECT_EQ(ReadFile(folder_ / "sub" / "p"), "ABC");
}

TEST_F(ConvertFileTest, NameThatWouldEscapeTheFolderIsTreatedAsNoName) {
  fs::create_directory(folder_ / "in");
  const fs::path source = folder_ / "in" / "note.vnt";
  WriteFile(source, "-FILENAME:../escaped\nBASE64:QUJD\n");
  prompts_.file_name_answers = {"safe.bin"};
  EXPECT_TRUE(Convert(source));
  EXPECT_EQ(prompts_.name_requests, std::vector<NameReason>{NameReason::kNoteNameRefused});
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in", "in/note.vnt", "in/safe.bin"}));

  WriteFile(source, "-FILENAME:" + (folder_ / "abs").string() + "\nBASE64:QUJD\n");
  prompts_.file_name_answers = {std::nullopt};
  EXPECT_FALSE(Convert(source));
  EXPECT_FALSE(fs::exists(folder_ / "abs"));
}

TEST_F(ConvertFileTest, BareSourceNameWritesIntoTheCurrentFolder) {
  Source("-FILENAME:here.bin\nBASE64:QUJD\n", "bare.vnt");
  const fs::path previous = fs::current_path();
  fs::current_path(folder_);
  const bool converted = Convert("bare.vnt");
  fs::current_path(previous);
  EXPECT_TRUE(converted);
  EXPECT_EQ(ReadFile(folder_ / "here.bin"), "ABC");
}

TEST_F(ConvertFileTest, OutputFolderTakesTheOutputAndTheQuestions) {
  fs::create_directories(folder_ / "out");
  WriteFile(folder_ / "out" / "p.bin", "old");
  prompts_.yes_no_answers = {false};
  prompts_.file_name_answers = {"q.bin"};
  std::string written;
  EXPECT_TRUE(ConvertFile(
      Source("-FILENAME:p.bin\nBASE64:QUJD\n").string(),
      ConversionServices{lines_, prompts_, native_, header_, messages_, PathStyle::kPosix},
      (folder_ / "out/").string(), written));
  EXPECT_EQ(written, (folder_ / "out" / "q.bin").string());
  ASSERT_EQ(prompts_.shown.size(), 2u);
  EXPECT_TRUE(prompts_.shown[1].ends_with(" in " + (folder_ / "out/").string()))
      << prompts_.shown[1];
  EXPECT_EQ(FolderEntries(),
            (std::vector<std::string>{"note.vnt", "out", "out/p.bin", "out/q.bin"}));
}

// Whatever stands at the output's name but a folder is an existing output;
// overwriting replaces that entry itself and never writes through it.
TEST_P(StagedConvertFileTest, EntriesAtTheOutputNameAreReplacedNeverWrittenThrough) {
  fs::create_directory(folder_ / "elsewhere");
  WriteFile(folder_ / "elsewhere" / "target", "target");
  ASSERT_EQ(::chmod((folder_ / "elsewhere" / "target").c_str(), 0640), 0);
  const mode_t mask = ::umask(022);
  ::umask(mask);
  const auto make_link = [&](const fs::path& at) {
    fs::create_symlink(folder_ / "elsewhere" / "target", at);
  };
  const auto make_dangling_link = [&](const fs::path& at) {
    fs::create_symlink(folder_ / "elsewhere" / "absent", at);
  };
  const auto make_fifo = [&](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0604), 0); };
  const std::vector<std::function<void(const fs::path&)>> makers = {make_link, make_dangling_link,
                                                                    make_fifo};
  // Root can give the entry another owner, which must not get the output.
  const bool root = ::geteuid() == 0;
  const testing::Staging& staging = GetParam();
  for (const auto& make : makers) {
    fs::remove(folder_ / "p.bin");
    make(folder_ / "p.bin");
    if (root) {
      ASSERT_EQ(::lchown((folder_ / "p.bin").c_str(), 4321, 4322), 0);
    }
    const fs::path source = Source("-FILENAME:p.bin\nBASE64:QUJD\n");
    testing::ForwardingFileSystem files;
    files.refused = staging.refused;
    prompts_ = FakePrompts();
    prompts_.yes_no_answers = {false};
    prompts_.file_name_answers = {std::nullopt};
    EXPECT_FALSE(Convert(source, files));
    EXPECT_EQ(prompts_.shown.front(), kOverwriteQuestion);
    prompts_.yes_no_answers = {true};
    EXPECT_TRUE(Convert(source, files));
    // Read only once it is a file: a FIFO still there would never be read.
    ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(folder_ / "p.bin")));
    EXPECT_EQ(ReadFile(folder_ / "p.bin"), "ABC");
    // Made like a new output: nothing of the target's or the FIFO's is kept.
    struct stat info;
    ASSERT_EQ(::lstat((folder_ / "p.bin").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask);
    EXPECT_EQ(info.st_uid, ::geteuid());
    EXPECT_EQ(ReadFile(folder_ / "elsewhere" / "target"), "target");
    EXPECT_FALSE(fs::exists(folder_ / "elsewhere" / "absent"));
  }
}

TEST_F(ConvertFileTest, FolderAtTheOutputNameCannotBeCreated) {
  fs::create_directory(folder_ / "p.bin");
  EXPECT_FALSE(Convert(Source("-FILENAME:p.bin\nBASE64:QUJD\n")));
  EXPECT_EQ(prompts_.shown, std::vector<std::string>{Message(golden::kCannotCreateFile)});
  EXPECT_EQ(prompts_.failure_reasons, std::vector<std::string>{"Is a directory"});
  EXPECT_EQ(prompts_.failure_outputs, std::vector<std::string>{(folder_ / "p.bin").string()});
}

// A linked folder in the name could lead anywhere: the name is refused.
TEST_F(ConvertFileTest, NameThroughALinkedFolderIsTreatedAsNoName) {
  fs::create_directories(folder_ / "elsewhere" / "deeper");
  fs::create_directory(folder_ / "in");
  fs::create_directory_symlink(folder_ / "elsewhere", folder_ / "in" / "sub");
  const fs::path source = folder_ / "in" / "note.vnt";
  for (const char* name : {"sub/p.bin", "sub/deeper/p.bin"}) {
    WriteFile(source, std::string("-FILENAME:") + name + "\nBASE64:QUJD\n");
    prompts_ = FakePrompts();
    prompts_.file_name_answers = {std::nullopt};
    EXPECT_FALSE(Convert(source));
    EXPECT_EQ(prompts_.name_requests, std::vector<NameReason>{NameReason::kNoteNameRefused});
  }
  EXPECT_TRUE(fs::is_empty(folder_ / "elsewhere" / "deeper"));
}

// A folder of the name swapped for a link to another folder while the output
// is made: nothing is created or replaced there, and nothing is left there.
TEST_F(ConvertFileTest, FolderSwappedForALinkMeanwhileNeverTakesTheOutputThere) {
  const struct {
    const char* when;
    std::function<void()> SteppedOutputFileSystem::*step;
    bool converts;
  } cases[] = {
      {"before the output starts", &SteppedOutputFileSystem::before_start, false},
      {"before it is put in place", &SteppedOutputFileSystem::before_commit, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.when);
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "in" / "sub");
    fs::create_directories(folder_ / "elsewhere");
    WriteFile(folder_ / "elsewhere" / "p.bin", "theirs");
    const fs::path source = folder_ / "in" / "note.vnt";
    WriteFile(source, "-FILENAME:sub/p.bin\nBASE64:QUJD\n");
    SteppedOutputFileSystem files;
    files.*c.step = [&] {
      fs::rename(folder_ / "in" / "sub", folder_ / "in" / "real");
      fs::create_directory_symlink(folder_ / "elsewhere", folder_ / "in" / "sub");
    };
    prompts_ = FakePrompts();
    EXPECT_EQ(Convert(source, files), c.converts);
    EXPECT_EQ(ReadFile(folder_ / "elsewhere" / "p.bin"), "theirs");
    std::vector<std::string> elsewhere;
    for (const auto& entry : fs::directory_iterator(folder_ / "elsewhere"))
      elsewhere.push_back(entry.path().filename().string());
    EXPECT_EQ(elsewhere, std::vector<std::string>{"p.bin"});
    if (c.converts) {
      EXPECT_EQ(ReadFile(folder_ / "in" / "real" / "p.bin"), "ABC");
    } else {
      EXPECT_EQ(prompts_.shown, std::vector<std::string>{Message(golden::kCannotCreateFile)});
      EXPECT_TRUE(fs::is_empty(folder_ / "in" / "real"));
    }
  }
}

// The question, and what is replaced, come from one look at the name as the
// output starts. A file that comes there just before is asked about; one that
// comes to a free name, or takes the place of the file the user agreed to
// replace, while the output is written is neither replaced nor touched, and
// the output is refused with the system's reason.
TEST_P(StagedConvertFileTest, OnlyTheEntryLookedAtAsTheOutputStartsIsReplaced) {
  const fs::path output = folder_ / "p.bin";
  const auto plant = [&] {
    WriteFile(folder_ / "planted", "planted");
    ASSERT_EQ(::chmod((folder_ / "planted").c_str(), 0666), 0);
    if (::geteuid() == 0) {
      ASSERT_EQ(::chown((folder_ / "planted").c_str(), 4321, 4322), 0);
    }
    fs::rename(folder_ / "planted", output);
  };
  const struct {
    const char* what;
    bool old_output;
    std::function<void()> SteppedOutputFileSystem::*step;
    std::function<void()> change;
    const char* reason;  // nullptr: the question is asked and answered no
    bool old_is_link = false;
  } cases[] = {
      {"a file appears as the output starts", false, &SteppedOutputFileSystem::before_start, plant,
       nullptr},
      {"a file appears at a free name", false, &SteppedOutputFileSystem::before_commit, plant,
       "File exists"},
      {"another file takes the old one's place", true, &SteppedOutputFileSystem::before_commit,
       plant, "File exists"},
      {"another file takes a link's place", true, &SteppedOutputFileSystem::before_commit, plant,
       "File exists", true},
      // The new file may well get the old one's number.
      {"the old file goes and another comes", true, &SteppedOutputFileSystem::before_commit,
       [&] {
         fs::remove(output);
         plant();
       },
       "File exists"},
      {"the old file goes", true, &SteppedOutputFileSystem::before_commit,
       [&] { fs::remove(output); }, "No such file or directory"},
  };
  const testing::Staging& staging = GetParam();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.what << ", " << staging.what);
    fs::remove(output);
    if (c.old_is_link) {
      fs::create_symlink("old", output);
    } else if (c.old_output) {
      WriteFile(output, "old");
    }
    SteppedOutputFileSystem files;
    files.refused = staging.refused;
    files.*c.step = c.change;
    prompts_ = FakePrompts();
    prompts_.yes_no_answers = {c.old_output};
    prompts_.file_name_answers = {std::nullopt};
    EXPECT_FALSE(Convert(Source("-FILENAME:p.bin\nBASE64:QUJD\n"), files));
    if (c.reason) {
      EXPECT_EQ(prompts_.shown.back(), Message(golden::kCannotWriteFile));
      EXPECT_EQ(prompts_.failure_reasons, std::vector<std::string>{c.reason});
    } else {
      EXPECT_EQ(prompts_.shown.front(), kOverwriteQuestion);
    }
    if (fs::exists(output)) {
      // The newcomer as it came: its bytes, its mode, its owner.
      EXPECT_EQ(ReadFile(output), "planted");
      struct stat info;
      ASSERT_EQ(::stat(output.c_str(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, 0666u);
      if (::geteuid() == 0) {
        EXPECT_EQ(info.st_uid, 4321u);
      }
    }
    std::vector<std::string> entries = FolderEntries();
    std::erase(entries, "p.bin");
    EXPECT_EQ(entries, std::vector<std::string>{"note.vnt"});
  }
}

// 127 double-byte characters and a letter: 255 bytes in the note, 382 in
// UTF-8. Refused before the output starts, the name is asked for again; the
// reason goes with that question only.
TEST_F(ConvertFileTest, NameTooLongForItsFolderIsAskedForAgain) {
  std::string name;
  for (int i = 0; i < 127; ++i)
    name += "\x88\x9f";
  name += 'a';
  WriteFile(folder_ / "taken.bin", "taken");
  prompts_.file_name_answers = {"taken.bin", "short.bin"};
  prompts_.yes_no_answers = {false};
  EXPECT_TRUE(Convert(Source("-FILENAME:" + name + "\nBASE64:QUJD\n")));
  EXPECT_EQ(prompts_.name_requests,
            (std::vector<NameReason>{NameReason::kNameTooLong, NameReason::kOutputExists}));
  EXPECT_EQ(prompts_.name_system_reasons, (std::vector<std::string>{"File name too long", ""}));
  EXPECT_EQ(prompts_.shown, (std::vector<std::string>{NameDialog("note.vnt"), kOverwriteQuestion,
                                                      NameDialog("note.vnt")}));
  EXPECT_EQ(ReadFile(folder_ / "short.bin"), "ABC");
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"note.vnt", "short.bin", "taken.bin"}));
}

// The note being converted is never its own output, under any of its names;
// nor is a file the caller protects.
TEST_F(ConvertFileTest, OutputThatWouldReplaceTheNoteOrAProtectedFileAsksForAName) {
  const std::string body = "BASE64:QUJD\nEND:VNOTE\n";
  const fs::path note = Source("-FILENAME:note.vnt\n" + body);
  fs::create_hard_link(Source("-FILENAME:hard.vnt\n" + body, "linked.vnt"), folder_ / "hard.vnt");
  fs::create_symlink(folder_ / "real.vnt", folder_ / "named.vnt");
  Source("-FILENAME:real.vnt\n" + body, "real.vnt");
  WriteFile(folder_ / "kept.bin", "kept");
  ProtectedFiles protected_files;
  protected_files.Add(native_.FileIdAt((folder_ / "kept.bin").string()),
                      NameReason::kOutputIsRunFile);
  const ConversionServices services{lines_,    prompts_,          native_,         header_,
                                    messages_, PathStyle::kPosix, &protected_files};
  const struct {
    const char* source;
    const char* output;
    NameReason why;
  } cases[] = {
      {"note.vnt", "note.vnt", NameReason::kOutputIsSource},
      {"linked.vnt", "hard.vnt", NameReason::kOutputIsSource},
      {"named.vnt", "real.vnt", NameReason::kOutputIsSource},
      {"real.vnt", "kept.bin", NameReason::kOutputIsRunFile},
  };
  for (const auto& c : cases) {
    const std::string before = ReadFile(folder_ / c.output);
    if (std::string_view(c.source) == "real.vnt") {
      WriteFile(folder_ / "real.vnt", "-FILENAME:kept.bin\n" + body);
    }
    // A yes ready for an overwrite question, which must not come.
    prompts_ = FakePrompts();
    prompts_.yes_no_answers = {true};
    prompts_.file_name_answers = {std::nullopt};
    EXPECT_FALSE(ConvertFile((folder_ / c.source).string(), services)) << c.source;
    EXPECT_EQ(prompts_.name_requests, std::vector<NameReason>{c.why}) << c.source;
    EXPECT_EQ(prompts_.yes_no_answers.size(), 1u) << "asked to overwrite " << c.output;
    if (std::string_view(c.output) == "kept.bin") {
      EXPECT_EQ(ReadFile(folder_ / c.output), "kept");
    } else {
      EXPECT_EQ(ReadFile(folder_ / c.output), before) << c.output;
    }
  }
}

// The new bytes are the user's alone until they are in place: in a file
// without a name, or in a named one of mode 0600 where the file system makes
// no unnamed files. Then they take the replaced file's permission bits,
// without set-id and sticky bits.
TEST_P(StagedConvertFileTest, ReplacedOutputKeepsItsPermissionBitsOnlyOnceInPlace) {
  const struct {
    mode_t old_mode;
    mode_t new_mode;
  } cases[] = {{0440, 0440}, {0644, 0644}, {04755, 0755}, {02750, 0750}, {01604, 0604}};
  const testing::Staging& staging = GetParam();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::oct << c.old_mode << ", " << staging.what);
    WriteFile(folder_ / "p.bin", "old");
    ASSERT_EQ(::chmod((folder_ / "p.bin").c_str(), c.old_mode), 0);
    SteppedOutputFileSystem files;
    files.refused = staging.refused;
    std::vector<mode_t> while_written;
    files.at_first_write = [&] {
      for (const auto& entry : fs::directory_iterator(folder_)) {
        if (entry.path().filename() != "note.vnt" && entry.path().filename() != "p.bin")
          while_written.push_back(PermissionsOf(entry.path()));
      }
    };
    prompts_.yes_no_answers = {true};
    EXPECT_TRUE(Convert(Source("-FILENAME:p.bin\nBASE64:QUJD\n"), files));
    EXPECT_EQ(while_written, staging.named() ? std::vector<mode_t>{0600} : std::vector<mode_t>{});
    EXPECT_EQ(ReadFile(folder_ / "p.bin"), "ABC");
    EXPECT_EQ(PermissionsOf(folder_ / "p.bin"), c.new_mode);
    // The old file is gone, under no other name either.
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"note.vnt", "p.bin"}));
    fs::remove(folder_ / "p.bin");
  }
  // A new output has the permissions of a file the shell would make here.
  const mode_t mask = ::umask(027);
  testing::ForwardingFileSystem files;
  files.refused = staging.refused;
  EXPECT_TRUE(Convert(Source("-FILENAME:q.bin\nBASE64:QUJD\n"), files));
  ::umask(mask);
  EXPECT_EQ(PermissionsOf(folder_ / "q.bin"), 0640u);
  fs::remove(folder_ / "q.bin");
}

// Owner, group and extended attributes go to the output; file capabilities,
// which would make the note's bytes a privileged program, never do.
TEST_P(StagedConvertFileTest, ReplacedOutputKeepsItsOwnerAndExtendedAttributes) {
  const fs::path output = folder_ / "p.bin";
  const bool root = ::geteuid() == 0;
  if (!root) std::cout << "owner and capabilities not checked: the tests do not run as root\n";
  // cap_dac_override, permitted and effective.
  const std::string capabilities("\1\0\0\2\2\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20);
  const testing::Staging& staging = GetParam();
  SCOPED_TRACE(staging.what);
  WriteFile(output, "old");
  if (root) {
    ASSERT_EQ(::chown(output.c_str(), 4321, 4322), 0);
    ASSERT_EQ(::setxattr(output.c_str(), "security.capability", capabilities.data(),
                         capabilities.size(), 0),
              0)
        << std::strerror(errno);
  }
  const bool attributes = ::setxattr(output.c_str(), "user.marrowpin", "kept", 4, 0) == 0;
  if (!attributes) {
    std::cout << "extended attributes not checked: " << std::strerror(errno) << "\n";
  }
  if (!root && !attributes) GTEST_SKIP() << "neither owner nor attributes can be set here";
  prompts_.yes_no_answers = {true};
  testing::ForwardingFileSystem files;
  files.refused = staging.refused;
  EXPECT_TRUE(Convert(Source("-FILENAME:p.bin\nBASE64:QUJD\n"), files));
  EXPECT_EQ(ReadFile(output), "ABC");
  struct stat info;
  ASSERT_EQ(::stat(output.c_str(), &info), 0);
  if (root) {
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
    EXPECT_EQ(::getxattr(output.c_str(), "security.capability", nullptr, 0), -1);
  }
  if (attributes) {
    char value[16] = {};
    EXPECT_EQ(::getxattr(output.c_str(), "user.marrowpin", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
  }
}

TEST_F(ConvertFileTest, JapaneseFolderNamesKeepTheirSeparators) {
  // Each name's last byte is one that Shift-JIS takes as a lead byte.
  for (const char* folder : {"予", "十", "写"}) {
    fs::create_directory(folder_ / folder);
    const fs::path source = folder_ / folder / "n.vnt";
    WriteFile(source, "-FILENAME:pic.bin\nBASE64:QUJD\n");
    EXPECT_TRUE(Convert(source)) << folder;
    EXPECT_EQ(ReadFile(folder_ / folder / "pic.bin"), "ABC") << folder;
  }
  EXPECT_FALSE(fs::exists(folder_ / "pic.bin"));
}

// --- whole or nothing ------------------------------------------------------------

// A failure at any step of writing leaves the folder as it was: an existing
// output byte for byte, a new one not at all, and no temporary file, from
// the moment its box is shown.
TEST_F(ConvertFileTest, FailedOutputLeavesTheFolderAsItWas) {
  const struct {
    OutputFailure failure;
    std::size_t capacity;
    bool header;
  } cases[] = {
      {OutputFailure::kWrite, 0, false},  {OutputFailure::kWrite, 4, false},
      {OutputFailure::kWrite, 10, true},  // within the bitmap header
      {OutputFailure::kCommit, 0, false}, {OutputFailure::kRename, 0, false},
  };
  for (const auto& c : cases) {
    for (const bool existing : {false, true}) {
      SCOPED_TRACE(::testing::Message() << int(c.failure) << " at " << c.capacity
                                        << (existing ? ", over an output" : ""));
      fs::remove_all(folder_);
      fs::create_directories(folder_);
      if (existing) WriteFile(folder_ / "p.bmp", "old contents");
      const std::vector<std::string> before = FolderEntries();
      const fs::path source = Source(c.header ? "-WIDTH:1\n-HEIGHT:1\nBASE64:QUJD\nREVG\nR0hJ\n"
                                              : "-FILENAME:p.bmp\nBASE64:QUJD\nREVG\nR0hJ\n");
      prompts_ = FakePrompts();
      if (c.header) {
        prompts_.file_name_answers = {"p.bmp"};
        prompts_.yes_no_answers.push_back(true);  // a bitmap header
      }
      if (existing) prompts_.yes_no_answers.push_back(true);  // overwrite
      // The temporary file is gone before the box waits for the user.
      std::vector<std::string> at_box;
      prompts_.while_failure_shown = [&] { at_box = FolderEntries(); };
      SteppedOutputFileSystem files;
      files.failure = c.failure;
      files.capacity = c.capacity;
      EXPECT_FALSE(Convert(source, files));
      std::erase(at_box, "note.vnt");
      if (c.failure != OutputFailure::kRename) {
        EXPECT_EQ(at_box, before);
      }
      EXPECT_EQ(prompts_.shown.back(), Message(golden::kCannotWriteFile));
      EXPECT_EQ(prompts_.failure_outputs, std::vector<std::string>{(folder_ / "p.bmp").string()});
      if (c.failure == OutputFailure::kRename) {
        // The folder in the way is the test's own.
        fs::remove_all(folder_ / "p.bmp");
        if (existing) WriteFile(folder_ / "p.bmp", "old contents");
      }
      std::vector<std::string> after = FolderEntries();
      std::erase(after, "note.vnt");
      EXPECT_EQ(after, before);
      if (existing && c.failure != OutputFailure::kRename) {
        EXPECT_EQ(ReadFile(folder_ / "p.bmp"), "old contents");
      }
    }
  }
}

// Runs `child` in a process of its own that removes its temporary files on
// an interrupt; the signal that ended it, or 0.
int SignalThatEnds(const std::function<void()>& child) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    RemoveTemporaryFilesOnInterrupt();
    child();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
}

// Any signal that ends the program, while an output is written over an old
// one, leaves the old one whole and nothing else; so does SIGKILL, where
// the file system makes unnamed files.
TEST_P(StagedConvertFileTest, InterruptedOutputLeavesTheFolderAsItWas) {
  const fs::path source = Source("-FILENAME:p.bin\nBASE64:QUJD\n");
  const testing::Staging& staging = GetParam();
  for (const int signal_number :
       {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ, SIGPIPE, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU,
        SIGVTALRM, SIGPROF, SIGPOLL, SIGPWR, SIGKILL}) {
    if (staging.named() && signal_number == SIGKILL) continue;
    SCOPED_TRACE(::testing::Message() << strsignal(signal_number) << ", " << staging.what);
    WriteFile(folder_ / "p.bin", "old");
    const int ended_by = SignalThatEnds([&] {
      SteppedOutputFileSystem files;
      files.refused = staging.refused;
      files.at_first_write = [&] { ::raise(signal_number); };
      prompts_.yes_no_answers = {true};
      Convert(source, files);
    });
    EXPECT_EQ(ended_by, signal_number);
    EXPECT_EQ(ReadFile(folder_ / "p.bin"), "old");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"note.vnt", "p.bin"}));
  }
}

// A temporary name is given and registered for removal as one step: a
// signal at any moment leaves nothing. The profiling timer's signal comes
// after some CPU time, often as a system call that made the name returns.
TEST_P(StagedConvertFileTest, SignalAsATemporaryNameIsMadeLeavesNothing) {
  const fs::path source = Source("-FILENAME:p.bin\nBASE64:QUJD\n");
  const testing::Staging& staging = GetParam();
  SCOPED_TRACE(staging.named() ? staging.what : "unnamed, renamed over an old output");
  WriteFile(folder_ / "p.bin", "old");
  for (int run = 0; run < 40; ++run) {
    const int ended_by = SignalThatEnds([&] {
      testing::ForwardingFileSystem files;
      files.refused = staging.refused;
      const itimerval every_200_us = {{0, 200}, {0, 200}};
      ::setitimer(ITIMER_PROF, &every_200_us, nullptr);
      for (;;) {
        std::unique_ptr<OutputFile> output =
            files.CreateForWriting(folder_.string() + "/", "p.bin");
        if (!staging.named() && output) output->Commit();
      }
    });
    ASSERT_EQ(ended_by, SIGPROF);
    ASSERT_EQ(FolderEntries(), (std::vector<std::string>{"note.vnt", "p.bin"})) << "run " << run;
  }
}

}  // namespace
}  // namespace marrowpin
