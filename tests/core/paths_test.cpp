#include "core/paths.h"

#include <gtest/gtest.h>

namespace marrowpin {
namespace {

constexpr PathStyle kWin = PathStyle::kWindows;
constexpr PathStyle kWinUtf8 = PathStyle::kWindowsUtf8;
constexpr PathStyle kPosix = PathStyle::kPosix;

TEST(WindowsPathsTest, SplitsAtBackslashAndColon) {
  EXPECT_EQ(FileNamePart("C:\\notes\\a.vnt", kWin), "a.vnt");
  EXPECT_EQ(FileNamePart("C:a.vnt", kWin), "a.vnt");
  EXPECT_EQ(FileNamePart("a.vnt", kWin), "a.vnt");
  EXPECT_EQ(FolderWithSeparator("C:\\notes\\a.vnt", kWin), "C:\\notes\\");
  EXPECT_EQ(FolderWithSeparator("a.vnt", kWin), "");
  EXPECT_EQ(FolderWithoutSeparator("C:\\notes\\a.vnt", kWin), "C:\\notes");
}

TEST(WindowsPathsTest, RootKeepsItsSeparator) {
  EXPECT_EQ(FolderWithoutSeparator("C:\\a.vnt", kWin), "C:\\");
  EXPECT_EQ(FolderWithoutSeparator("\\a.vnt", kWin), "\\");
  EXPECT_EQ(FolderWithoutSeparator("C:a.vnt", kWin), "C:");
}

TEST(WindowsPathsTest, BackslashInsideDoubleByteCharacterIsNoSeparator) {
  // "\x95\x5c" is one kanji ending in the byte of "\".
  const std::string path = "C:\\\x95\\\\a.vnt";
  EXPECT_EQ(FileNamePart(path, kWin), "a.vnt");
  EXPECT_EQ(FolderWithoutSeparator(path, kWin), "C:\\\x95\\");
  EXPECT_EQ(FileNamePart("C:\\dir\\\x95\\.vnt", kWin), "\x95\\.vnt");
}

TEST(WindowsPathsTest, OutputGoesBesideTheSource) {
  EXPECT_EQ(OutputPathFor("C:\\notes\\a.vnt", "pic.bmp", kWin), "C:\\notes\\pic.bmp");
  // A drive root keeps its separator and gets another.
  EXPECT_EQ(OutputPathFor("C:\\a.vnt", "pic.bmp", kWin), "C:\\\\pic.bmp");
  // A bare file name writes into the current folder, not the drive's root.
  EXPECT_EQ(OutputPathFor("a.vnt", "pic.bmp", kWin), "pic.bmp");
  EXPECT_EQ(OutputPathFor("C:\\notes\\a.vnt", "sub\\pic.bmp", kWin), "C:\\notes\\sub\\pic.bmp");
}

TEST(WindowsPathsTest, Utf8PathsSplitAtEveryBackslashAndColon) {
  const struct {
    const char* path;
    const char* file_name;
    const char* folder;  // without its trailing separator
  } cases[] = {
      // UTF-8 "あ" ends in 0x82, a Shift-JIS lead byte before the "\".
      {"C:\\あ\\b.vnt", "b.vnt", "C:\\あ"},
      {"C:\\メモ\\旅行 2026\\駅.vnt", "駅.vnt", "C:\\メモ\\旅行 2026"},
      {"D:\\사진\\메모.vnt", "메모.vnt", "D:\\사진"},
      {"C:\\\xF0\x9F\x93\xB7\\a.vnt", "a.vnt", "C:\\\xF0\x9F\x93\xB7"},
      {"C:\\あ.vnt", "あ.vnt", "C:\\"},
      {"C:あ.vnt", "あ.vnt", "C:"},
      {"あ.vnt", "あ.vnt", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamePart(c.path, kWinUtf8), c.file_name) << c.path;
    EXPECT_EQ(FolderWithoutSeparator(c.path, kWinUtf8), c.folder) << c.path;
  }
  EXPECT_EQ(OutputPathFor("C:\\あ\\b.vnt", "写真.jpg", kWinUtf8), "C:\\あ\\写真.jpg");
  EXPECT_EQ(OutputPathFor("C:\\あ.vnt", "写真.jpg", kWinUtf8), "C:\\\\写真.jpg");
  // Read as Shift-JIS, the same bytes hide the separator.
  EXPECT_EQ(FileNamePart("C:\\あ\\b.vnt", kWin), "あ\\b.vnt");
}

TEST(PosixPathsTest, SplitsAtSlashOnly) {
  EXPECT_EQ(FileNamePart("/home/u/a:b.vnt", kPosix), "a:b.vnt");
  EXPECT_EQ(FileNamePart("dir\\a.vnt", kPosix), "dir\\a.vnt");
  EXPECT_EQ(FolderWithoutSeparator("/home/u/a.vnt", kPosix), "/home/u");
  EXPECT_EQ(FolderWithoutSeparator("/a.vnt", kPosix), "/");
  EXPECT_EQ(OutputPathFor("/home/u/a.vnt", "pic.bmp", kPosix), "/home/u/pic.bmp");
  EXPECT_EQ(OutputPathFor("a.vnt", "pic.bmp", kPosix), "pic.bmp");
  EXPECT_EQ(OutputPathFor("./a.vnt", "pic.bmp", kPosix), "./pic.bmp");
}

TEST(UnsafeOutputNameTest, NamesThatStayInTheFolderAreSafe) {
  for (PathStyle style : {kWin, kPosix}) {
    for (const char* name : {"pic.bmp", "sub\\pic.bmp", "sub/pic.bmp", " pic.bmp", "a..b", "..pic",
                             "...", "CONSOLE.txt", "COM0", "LPT10", "\x95\\..x"}) {
      EXPECT_FALSE(IsUnsafeOutputName(name, style)) << name;
    }
  }
}

TEST(UnsafeOutputNameTest, NamesThatEscapeTheFolderAreUnsafe) {
  for (PathStyle style : {kWin, kPosix}) {
    for (const char* name :
         {"\\pic.bmp", "/etc/passwd", "C:pic.bmp", "C:\\pic.bmp", "pic.bmp:stream", "..",
          "..\\pic.bmp", "../pic.bmp", "sub\\..\\..\\pic.bmp", "sub/..", "a/../../b"}) {
      EXPECT_TRUE(IsUnsafeOutputName(name, style)) << name;
    }
  }
}

TEST(UnsafeOutputNameTest, WindowsDeviceNamesAreUnsafeOnWindowsOnly) {
  for (const char* name : {"CON", "con.bmp", "Prn", "AUX.txt", "nul", "COM1", "com9.dat", "LPT1",
                           "sub\\NUL.bmp", "sub/aux"}) {
    EXPECT_TRUE(IsUnsafeOutputName(name, kWin)) << name;
    EXPECT_TRUE(IsUnsafeOutputName(name, kWinUtf8)) << name;
    EXPECT_FALSE(IsUnsafeOutputName(name, kPosix)) << name;
  }
}

}  // namespace
}  // namespace marrowpin
