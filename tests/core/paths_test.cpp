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
}

TEST(WindowsPathsTest, BackslashInsideDoubleByteCharacterIsNoSeparator) {
  // "\x95\x5c" is one kanji ending in the byte of "\".
  const std::string path = "C:\\\x95\\\\a.vnt";
  EXPECT_EQ(FileNamePart(path, kWin), "a.vnt");
  EXPECT_EQ(FolderWithSeparator(path, kWin), "C:\\\x95\\\\");
  EXPECT_EQ(FileNamePart("C:\\dir\\\x95\\.vnt", kWin), "\x95\\.vnt");
  EXPECT_EQ(OutputPathFor("\x95\\a.vnt", "p", kWin), "p");
}

TEST(WindowsPathsTest, OutputGoesBesideTheSource) {
  struct Case {
    const char* source;
    const char* output;
  };
  for (const Case& c : {
           Case{"C:\\notes\\a.vnt", "C:\\notes\\pic.bin"},
           // A root keeps its one separator; "\\pic.bin" would be a network path.
           Case{"C:\\a.vnt", "C:\\pic.bin"},
           Case{"\\a.vnt", "\\pic.bin"},
           // Drive-relative: beside the source in that drive's current folder.
           Case{"D:a.vnt", "D:pic.bin"},
           Case{"D:sub\\a.vnt", "D:sub\\pic.bin"},
           // A bare file name writes into the current folder, not the drive's root.
           Case{"a.vnt", "pic.bin"},
           Case{"\\\\server\\share\\a.vnt", "\\\\server\\share\\pic.bin"},
           Case{"C:\\\x95\\\\a.vnt", "C:\\\x95\\\\pic.bin"},
       }) {
    EXPECT_EQ(OutputPathFor(c.source, "pic.bin", kWin), c.output) << c.source;
  }
  EXPECT_EQ(OutputPathFor("C:\\notes\\a.vnt", "sub\\pic.bmp", kWin), "C:\\notes\\sub\\pic.bmp");
}

TEST(WindowsPathsTest, Utf8PathsSplitAtEveryBackslashAndColon) {
  const struct {
    const char* path;
    const char* file_name;
    const char* folder;  // with its separator
  } cases[] = {
      // UTF-8 "あ" ends in 0x82, a Shift-JIS lead byte before the "\".
      {"C:\\あ\\b.vnt", "b.vnt", "C:\\あ\\"},
      {"C:\\メモ\\旅行 2026\\駅.vnt", "駅.vnt", "C:\\メモ\\旅行 2026\\"},
      {"D:\\사진\\메모.vnt", "메모.vnt", "D:\\사진\\"},
      {"C:\\\xF0\x9F\x93\xB7\\a.vnt", "a.vnt", "C:\\\xF0\x9F\x93\xB7\\"},
      {"C:\\あ.vnt", "あ.vnt", "C:\\"},
      {"C:あ.vnt", "あ.vnt", "C:"},
      {"あ.vnt", "あ.vnt", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNamePart(c.path, kWinUtf8), c.file_name) << c.path;
    EXPECT_EQ(FolderWithSeparator(c.path, kWinUtf8), c.folder) << c.path;
  }
  EXPECT_EQ(OutputPathFor("C:\\あ\\b.vnt", "写真.jpg", kWinUtf8), "C:\\あ\\写真.jpg");
  EXPECT_EQ(OutputPathFor("C:\\あ.vnt", "写真.jpg", kWinUtf8), "C:\\写真.jpg");
  // Read as Shift-JIS, the same bytes hide the separator.
  EXPECT_EQ(FileNamePart("C:\\あ\\b.vnt", kWin), "あ\\b.vnt");
}

TEST(PosixPathsTest, SplitsAtSlashOnly) {
  EXPECT_EQ(FileNamePart("/home/u/a:b.vnt", kPosix), "a:b.vnt");
  EXPECT_EQ(FileNamePart("dir\\a.vnt", kPosix), "dir\\a.vnt");
  EXPECT_EQ(OutputPathFor("/home/u/a.vnt", "pic.bmp", kPosix), "/home/u/pic.bmp");
  EXPECT_EQ(OutputPathFor("/a.vnt", "pic.bmp", kPosix), "/pic.bmp");
  EXPECT_EQ(OutputPathFor("a.vnt", "pic.bmp", kPosix), "pic.bmp");
  EXPECT_EQ(OutputPathFor("./a.vnt", "pic.bmp", kPosix), "./pic.bmp");
  EXPECT_EQ(OutputPathFor("C:\\a.vnt", "pic.bmp", kPosix), "pic.bmp");
}

TEST(UnsafeOutputNameTest, NamesThatStayInTheFolderAreSafe) {
  for (PathStyle style : {kWin, kPosix}) {
    for (const char* name :
         {"pic.bmp",  "sub\\pic.bmp", "sub/pic.bmp", " pic.bmp", "a..b",      "..pic",
          "...",      "CONSOLE.txt",  "COM0",        "LPT10",    "\x95\\..x", "NULL",
          "CON-1",    "AUX_",         "CONIN",       "CONOUT$$", " CON",      "COM1x.txt",
          "pic.bmp.", "pic.bmp ",     "a$",          "a&b;c'd"}) {
      EXPECT_FALSE(IsUnsafeOutputName(name, style)) << name;
    }
  }
  // "|" as the second byte of a Shift-JIS character ("\x83\x7C") is part of it.
  EXPECT_FALSE(IsUnsafeOutputName("\x83\x7C.bmp", kWin));
  EXPECT_FALSE(IsUnsafeOutputName("\x83\x7C\x83\x7C", kWin));
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

// On Windows these open a device, match other files or cannot be created at
// all; on POSIX they are ordinary names.
TEST(UnsafeOutputNameTest, DevicesWildcardsAndRefusedCharactersAreUnsafeOnWindowsOnly) {
  for (const char* name :
       {"CON",       "con.bmp",     "Prn",          "AUX.txt",    "nul",      "COM1",
        "com9.dat",  "LPT1",        "sub\\NUL.bmp", "sub/aux",    "NUL ",     "nul .bmp",
        "COM1 .txt", "CON.",        "CON..",        "lpt3  .a.b", "NUL.bmp ", "NUL.bmp.",
        "CONIN$",    "conout$.txt", "CLOCK$",       "Clock$ .x",  "*.bin",    "s?.vnt",
        "a<b",       "a>b",         "a|b",          "\"pic\"",    "pic\tx",   "pic\x1f",
        "\x01",      "sub\\p*",     "\x83\x7C|",    "\x83\x7C*",  "\x81*",    "\x81\x01"}) {
    EXPECT_TRUE(IsUnsafeOutputName(name, kWin)) << name;
    EXPECT_TRUE(IsUnsafeOutputName(name, kWinUtf8)) << name;
    EXPECT_FALSE(IsUnsafeOutputName(name, kPosix)) << name;
  }
}

}  // namespace
}  // namespace marrowpin
