#include "core/paths.h"

#include <gtest/gtest.h>

namespace marrowpin {
namespace {

constexpr PathStyle kWin = PathStyle::kWindowsUtf8;
constexpr PathStyle kPosix = PathStyle::kPosix;

TEST(WindowsPathsTest, SplitAtEveryBackslashSlashAndColon) {
  const struct {
    const char* path;
    const char* file_name;
    const char* folder;  // with its separator
  } cases[] = {
      {"C:\\notes\\a.vnt", "a.vnt", "C:\\notes\\"},
      {"C:/notes/a.vnt", "a.vnt", "C:/notes/"},
      {"C:a.vnt", "a.vnt", "C:"},
      {"a.vnt", "a.vnt", ""},
      // UTF-8 "あ" ends in 0x82, a Shift-JIS lead byte before the "\".
      {"C:\\あ\\b.vnt", "b.vnt", "C:\\あ\\"},
      {"C:\\メモ\\旅行 2026\\駅.vnt", "駅.vnt", "C:\\メモ\\旅行 2026\\"},
      {"D:\\사진\\메모.vnt", "메모.vnt", "D:\\사진\\"},
      {"C:\\\xF0\x9F\x93\xB7\\a.vnt", "a.vnt", "C:\\\xF0\x9F\x93\xB7\\"},
      {"C:\\あ.vnt", "あ.vnt", "C:\\"},
      {"C:あ.vnt", "あ.vnt", "C:"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamePart(c.path, kWin), c.file_name) << c.path;
    EXPECT_EQ(FolderWithSeparator(c.path, kWin), c.folder) << c.path;
  }
}

// The output goes into the source's folder as written, to which its name is
// joined; likewise into a folder given for the outputs.
TEST(WindowsPathsTest, OutputGoesBesideTheSource) {
  struct Case {
    const char* source;
    const char* folder;
  };
  for (const Case& c : {
           Case{"C:\\notes\\a.vnt", "C:\\notes\\"},
           // A root keeps its one separator; "\\pic.bin" would be a network path.
           Case{"C:\\a.vnt", "C:\\"},
           Case{"\\a.vnt", "\\"},
           // Drive-relative: beside the source in that drive's current folder.
           Case{"D:a.vnt", "D:"},
           Case{"D:sub\\a.vnt", "D:sub\\"},
           // A bare file name writes into the current folder, not the drive's root.
           Case{"a.vnt", ""},
           Case{"\\\\server\\share\\a.vnt", "\\\\server\\share\\"},
           Case{"C:\\あ\\b.vnt", "C:\\あ\\"},
       }) {
    EXPECT_EQ(FolderWithSeparator(c.source, kWin), c.folder) << c.source;
  }
  for (const Case& c : {Case{"out", "out\\"}, Case{"out/", "out/"}, Case{"D:", "D:"},
                        Case{"C:\\", "C:\\"}, Case{"", ""}}) {
    EXPECT_EQ(FolderPrefix(c.source, kWin), c.folder) << c.source;
  }
}

TEST(PosixPathsTest, SplitAtEverySlashOnly) {
  const struct {
    const char* path;
    const char* file_name;
    const char* folder;
  } cases[] = {
      {"/home/u/a:b.vnt", "a:b.vnt", "/home/u/"},
      {"dir\\a.vnt", "dir\\a.vnt", ""},
      {"/a.vnt", "a.vnt", "/"},
      {"./a.vnt", "a.vnt", "./"},
      // Folders whose UTF-8 ends in a byte that Shift-JIS takes as a lead byte:
      // 予 E4 BA 88, 十 E5 8D 81, 写 E5 86 99.
      {"予/n.vnt", "n.vnt", "予/"},
      {"out/十/n.vnt", "n.vnt", "out/十/"},
      {"/写/真/n.vnt", "n.vnt", "/写/真/"},
      {"予/x.bin", "x.bin", "予/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamePart(c.path, kPosix), c.file_name) << c.path;
    EXPECT_EQ(FolderWithSeparator(c.path, kPosix), c.folder) << c.path;
  }
  EXPECT_EQ(FolderPrefix("予", kPosix), "予/");
  EXPECT_EQ(FolderPrefix("out\\", kPosix), "out\\/");
  EXPECT_EQ(FolderPrefix("/", kPosix), "/");
}

}  // namespace
}  // namespace marrowpin
